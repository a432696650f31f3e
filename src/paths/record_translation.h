#pragma once
// The two roads of the record tab as whole operations: keys to paths (the package opened for
// the one translation and released after it) and paths to keys (the package's lists kept).

#include <optional>
#include <string>

namespace qv {

/// Checks the package (its messages shown), opens it for reading with a session into the open
/// database, replaces the text's keys by paths and values, and releases the database. nullopt
/// when the package cannot be used.
std::optional<std::string> DecodeRecord(const std::string& package, const std::string& text);
/// Closes what is open and replaces the text's full paths by the package's keys (mode 2).
std::string EncodeRecord(const std::string& package, const std::string& text);

}  // namespace qv
