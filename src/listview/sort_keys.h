#pragma once
// The typed sort keys of list columns and the sort order held in a column's Tag: a
// sort code ("S" text, "L" number, "V" version, "D" date) followed by comma-separated key
// columns, each optionally marked "<" (always ascending) or ">" (always descending); a key
// without a mark follows the list's current direction, an empty key names the clicked
// column. "S2,<5" sorts by column 2, then by column 5 ascending. No Qt here.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

/// How the keys of a column compare.
enum class SortCode { kText, kNumber, kVersion, kDate };

/// The sort code of a Tag: "L", "V" or "D" in either case as its first letter; anything
/// else, and an empty Tag, is text.
SortCode SortCodeOf(std::string_view tag);

/// The whole number a text starts with, as column numbers are read: leading blanks skipped,
/// an optional sign, then digits; 0 when there are none.
int64_t WholeValue(std::string_view text);

/// The sortable form of a date cell ("hh:mm:ss" and a date in the user's format, either
/// order): the day number (days since 30 December 1899; that of 1 January 2200 when the text
/// is no date), then ":" and two digits each of the hours, minutes and seconds, taken from the
/// text before the first ":", between it and the next, and up to the next blank. A text that
/// starts with ":: " reads as "00:00:00 " and the rest. "12:30:05 1/31/2024" (en_US) gives
/// "45322:12:30:05".
std::string DateSortKey(std::string_view text);

/// The day number (days since 30 December 1899) of a date text in the user's date format,
/// ISO yyyy-mm-dd, or any form the user's locale writes dates in; a time of day may stand
/// before or after the date. A time alone is day 0; nullopt when the text is no date.
std::optional<int32_t> DateDayNumber(std::string_view text);

/// The sortable form of a version: each "."-separated part's whole value padded with zeros to
/// five digits (the last five kept), run together. "1.2.30" gives "000010000200030"; an
/// empty text gives "".
std::string VersionSortKey(std::string_view text);

/// The number of a cell: its first character is dropped when it cannot start a number (none of
/// "0123456789-+."), the rest read as a decimal number; nullopt when it is not one.
std::optional<double> NumberSortKey(std::string_view text);

/// A cell's key in the form its sort code compares: the date or version key, the text itself,
/// or the number (isNumber false when the text is not one).
struct SortableKey {
  std::string text;
  double number = 0;
  bool isNumber = false;
};

/// Builds the key of one cell under code, so that a sort builds each row's keys once.
SortableKey MakeSortableKey(std::string_view cell, SortCode code);

/// Compares two built keys under code as CompareSortKeys compares their cells.
std::optional<int> CompareSortableKeys(const SortableKey& a, const SortableKey& b, SortCode code);

/// Compares one key of two rows under code: < 0 when a sorts first in ascending order, > 0
/// when b does, 0 when equal; nullopt when a number key is not a number, which makes the
/// whole pair equal. Dates and texts compare without regard to case.
std::optional<int> CompareSortKeys(std::string_view a, std::string_view b, SortCode code);

/// Which way one key of a sort order runs.
enum class KeyDirection { kList, kAscending, kDescending };

/// One key of a sort order.
struct SpecKey {
  int32_t column = 0;  ///< 1-based column; a column the list does not have reads as ""
  KeyDirection direction = KeyDirection::kList;
};

/// The keys of spec for a click on clickedColumn: the text after the sort code split at ","
/// (a one-character or empty spec has one empty key); a leading "<" or ">" gives the
/// direction; the column is the key's whole value, or clickedColumn when that is 0 and the
/// key does not start with "0".
std::vector<SpecKey> SpecKeys(std::string_view spec, int32_t clickedColumn);

/// True when a click on column clickedColumn with this Tag keeps the list's own text sort: an
/// empty Tag; one character that is not "D", "V" or "L"; or a text sort code with no "," whose
/// number is the clicked column ("S3" on column 3).
bool UsesListTextSort(std::string_view tag, int32_t clickedColumn);

}  // namespace qv
