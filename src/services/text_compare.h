#pragma once
// The text comparers of the maker's utility library. Every record list sorts and searches
// through these, so a sort and a later binary search agree only when both use the same
// comparer with the same separator and case choice.
//
// Rules:
// - strcText compares bytes as unsigned values (for UTF-8 that is code point order).
// - stricText folds the letters A-Z to a-z first; every other byte compares as it is.
// - CompareKeys with a separator compares the texts part by part, parts being what lies
//   between separators: the first unequal part decides, and a text whose parts run out
//   first sorts first ("C:\a\b" before "C:\a b", "C:\a" before "C:\a\b"). An empty
//   separator compares the whole texts.
// - FormatTrailingNumeric drops the leading zeros of a trailing run of digits and pads it
//   with zeros to kTrailingNumberWidth digits, so "file9" and "file10" order by value. A run
//   longer than that width is left as it is.

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

/// Digits a trailing number is padded to by FormatTrailingNumeric.
inline constexpr int32_t kTrailingNumberWidth = 20;

/// Compares a and b byte by byte: < 0, 0 or > 0.
int32_t strcText(std::string_view a, std::string_view b);
/// Compares a and b without regard to the case of A-Z: < 0, 0 or > 0.
int32_t stricText(std::string_view a, std::string_view b);
/// Compares a and b part by part between separators, ignoring case when ignoreCase is
/// non-zero: < 0, 0 or > 0. An empty separator compares whole texts.
int32_t CompareKeys(std::string_view a, std::string_view b, std::string_view separator,
                    int32_t ignoreCase);
/// Writes into *out the text with its trailing number padded so that stricText orders it by
/// value; returns the length of *out.
int32_t FormatTrailingNumeric(std::string_view text, std::string* out);

}  // namespace qv
