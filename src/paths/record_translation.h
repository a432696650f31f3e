#pragma once
// The two roads of the record tab as whole operations: keys to paths (the package opened for
// the one translation and released after it) and paths to keys (the package's lists kept).

#include <string>

namespace qv {

/// How far DecodeRecord got.
enum class DecodeOutcome {
  kRefused,    ///< the package check failed (it showed why); nothing was translated
  kNotOpened,  ///< the package could not be opened (reported); nothing was translated
  kDecoded,    ///< opened, translated and released
};

/// What DecodeRecord gives back.
struct DecodedRecord {
  DecodeOutcome outcome = DecodeOutcome::kRefused;
  std::string text;  ///< the translated text; "" when refused
};

/// Checks the package (its messages shown); then, under the busy pointer, opens it for reading
/// with a session as the current package, replaces the text's keys by paths and values, and
/// releases the database and its session on every way out. Another package than the current
/// one forgets the current one's path lists first; one that fails leaves nothing behind.
DecodedRecord DecodeRecord(const std::string& package, const std::string& text);
/// Closes what is open and replaces the text's full paths by the package's keys, files first;
/// releases the package on every way out (its path lists stay for the next event on it). An
/// empty package or one that cannot be opened gives the text back unchanged and makes
/// *translated (when given) false.
std::string EncodeRecord(const std::string& package, const std::string& text,
                         bool* translated = nullptr);

}  // namespace qv
