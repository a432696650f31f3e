#pragma once
// Case folding of the ASCII letters only, the way Windows compares file names and the
// installer compares keywords; every other byte (UTF-8 included) stays as it is.

#include <string>
#include <string_view>

namespace qv {

/// c with A-Z lowered to a-z.
constexpr char AsciiToLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
/// c with a-z raised to A-Z.
constexpr char AsciiToUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

/// The text with its ASCII letters lower-cased.
std::string AsciiLower(std::string_view text);
/// The text with its ASCII letters upper-cased.
std::string AsciiUpper(std::string_view text);
/// True when a and b are equal once their ASCII letters are folded.
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace qv
