#include "listview/sort_keys.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

#include "services/local_dates.h"
#include "services/text_compare.h"

namespace qv {
namespace {

// Day numbers count from 30 December 1899, so 1 January 1970 is day 25569.
constexpr int64_t kUnixEpochDay = 25569;
constexpr int64_t kMillisecondsPerDay = 86400000;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Days from 1 January 1970 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool IsLeap(int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int64_t DaysInMonth(int64_t year, int64_t month) {
  static constexpr int64_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// A time of day "h:mm" or "h:mm:ss" (one or two digits each).
bool IsTimeOfDay(std::string_view token) {
  const std::vector<std::string_view> parts = SplitAt(token, ':');
  if (parts.size() < 2 || parts.size() > 3) return false;
  static constexpr int kLimit[] = {23, 59, 59};
  for (size_t i = 0; i < parts.size(); ++i) {
    if (parts[i].empty() || parts[i].size() > 2) return false;
    int value = 0;
    for (char c : parts[i]) {
      if (!IsDigit(c)) return false;
      value = value * 10 + (c - '0');
    }
    if (value > kLimit[i]) return false;
  }
  return true;
}

bool IsDayHalf(std::string_view token) {
  return token.size() == 2 && (Upper(token[0]) == 'A' || Upper(token[0]) == 'P') &&
         Upper(token[1]) == 'M';
}

// The order in which the user's short date format writes year, month and day, and whether
// it writes them all as numbers; read once per locale from ICU's pattern.
struct DateOrder {
  std::string locale;
  std::string fields = "Mdy";  // 'y', 'M', 'd' in the order written
  bool numeric = true;
  std::vector<std::unique_ptr<icu::DateFormat>> formats;  // for dates written with words
};

DateOrder ReadDateOrder(const std::string& localeId) {
  DateOrder order;
  order.locale = localeId;
  const icu::Locale locale(localeId.c_str());
  for (auto style : {icu::DateFormat::kShort, icu::DateFormat::kMedium, icu::DateFormat::kLong,
                     icu::DateFormat::kFull}) {
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateInstance(style, locale));
    if (!format) continue;
    format->setTimeZone(*icu::TimeZone::getGMT());
    format->setLenient(true);
    order.formats.push_back(std::move(format));
  }
  auto* shortFormat = order.formats.empty()
                          ? nullptr
                          : dynamic_cast<icu::SimpleDateFormat*>(order.formats.front().get());
  if (shortFormat == nullptr) return order;
  icu::UnicodeString pattern;
  shortFormat->toPattern(pattern);
  std::string fields;
  for (int32_t i = 0; i < pattern.length(); ++i) {
    char16_t c = pattern[i];
    if (c == u'\'') {  // quoted literal text
      const int32_t end = pattern.indexOf(u'\'', i + 1);
      i = end < 0 ? pattern.length() : end;
      continue;
    }
    if (c == u'L') c = u'M';
    if (c != u'y' && c != u'M' && c != u'd') continue;
    int32_t run = 1;
    while (i + run < pattern.length() && (pattern[i + run] == pattern[i])) ++run;
    if (c == u'M' && run >= 3) order.numeric = false;
    if (fields.find(static_cast<char>(c)) == std::string::npos) fields += static_cast<char>(c);
    i += run - 1;
  }
  if (fields.size() == 3) order.fields = fields;
  return order;
}

const DateOrder& UserDateOrder() {
  static DateOrder order = ReadDateOrder(UserTimeLocale());
  const std::string locale = UserTimeLocale();
  if (locale != order.locale) order = ReadDateOrder(locale);
  return order;
}

// A date written with three numbers: year first when the first has more than two digits,
// otherwise in the order of the user's format. Two-digit years 00-29 are 2000-2029.
std::optional<int32_t> NumericDate(std::string_view text, const DateOrder& order) {
  std::vector<std::string_view> groups;
  for (size_t i = 0; i < text.size();) {
    if (IsDigit(text[i])) {
      size_t end = i;
      while (end < text.size() && IsDigit(text[end])) ++end;
      groups.push_back(text.substr(i, end - i));
      i = end;
    } else {
      ++i;
    }
  }
  if (groups.size() != 3) return std::nullopt;
  const std::string fields = groups[0].size() > 2 ? "yMd" : order.fields;
  int64_t year = 0, month = 0, day = 0;
  size_t yearDigits = 0;
  for (size_t i = 0; i < 3; ++i) {
    if (groups[i].size() > 4) return std::nullopt;
    int64_t value = 0;
    for (char c : groups[i]) value = value * 10 + (c - '0');
    if (fields[i] == 'y') {
      year = value;
      yearDigits = groups[i].size();
    } else if (fields[i] == 'M') {
      month = value;
    } else {
      day = value;
    }
  }
  if (yearDigits <= 2) year += year < 30 ? 2000 : 1900;
  if (year < 100 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    return std::nullopt;
  }
  return static_cast<int32_t>(DaysFromCivil(year, month, day) + kUnixEpochDay);
}

// A date written with words ("Jan 31, 2024"), through the user's locale's formats.
std::optional<int32_t> WordDate(std::string_view text, const DateOrder& order) {
  const icu::UnicodeString date = icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
  for (const auto& format : order.formats) {
    icu::ParsePosition position(0);
    const UDate when = format->parse(date, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != date.length()) continue;
    return static_cast<int32_t>(std::floor(when / static_cast<double>(kMillisecondsPerDay)) +
                                kUnixEpochDay);
  }
  return std::nullopt;
}

std::string LastTwo(std::string_view text) {
  std::string padded = "00";
  padded += text;
  return padded.substr(padded.size() - 2);
}

// The five-digit form of one version part: its whole value, the last five digits kept.
std::string VersionPart(std::string_view part) {
  size_t i = 0;
  while (i < part.size() && part[i] == ' ') ++i;
  bool negative = false;
  if (i < part.size() && (part[i] == '-' || part[i] == '+')) negative = part[i++] == '-';
  while (i < part.size() && part[i] == '0') ++i;
  std::string digits;
  while (i < part.size() && IsDigit(part[i])) digits += part[i++];
  if (digits.empty()) {
    digits = "0";
    negative = false;
  }
  std::string padded = "00000" + std::string(negative ? "-" : "") + digits;
  return padded.substr(padded.size() - 5);
}

int Sign(int64_t value) {
  return value < 0 ? -1 : value > 0 ? 1 : 0;
}

}  // namespace

SortCode SortCodeOf(std::string_view tag) {
  if (tag.empty()) return SortCode::kText;
  switch (Upper(tag[0])) {
    case 'L':
      return SortCode::kNumber;
    case 'V':
      return SortCode::kVersion;
    case 'D':
      return SortCode::kDate;
    default:
      return SortCode::kText;
  }
}

int64_t WholeValue(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (value > (INT64_MAX - 9) / 10) break;  // a number no list has as many columns as
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

std::optional<int32_t> DateDayNumber(std::string_view text) {
  std::string date;
  bool hasTime = false;
  for (std::string_view token : SplitAt(text, ' ')) {
    if (token.empty()) continue;
    if (token.find(':') != std::string_view::npos) {
      if (!IsTimeOfDay(token)) return std::nullopt;
      hasTime = true;
    } else if (!IsDayHalf(token)) {
      if (!date.empty()) date += ' ';
      date += token;
    }
  }
  if (date.empty()) return hasTime ? std::optional<int32_t>(0) : std::nullopt;
  const DateOrder& order = UserDateOrder();
  // Dates written with numbers only are read strictly; ICU's lenient reading would turn
  // 30 February into 1 March.
  const bool words = std::any_of(date.begin(), date.end(), [](char c) {
    return IsLetter(c) || static_cast<unsigned char>(c) >= 0x80;
  });
  return words ? WordDate(date, order) : NumericDate(date, order);
}

std::string DateSortKey(std::string_view text) {
  std::string t(text);
  if (t.rfind(":: ", 0) == 0) t = "00:00:00 " + t.substr(3);
  static const int32_t kNoDate = static_cast<int32_t>(DaysFromCivil(2200, 1, 1) + kUnixEpochDay);
  std::string key = std::to_string(DateDayNumber(t).value_or(kNoDate));
  std::string hours = "00", minutes = "00", seconds = "00";
  const size_t p1 = t.find(':');
  if (p1 != std::string::npos) {
    hours = LastTwo(std::string_view(t).substr(0, p1));
    const size_t p2 = t.find(':', p1 + 1);
    if (p2 != std::string::npos) {
      minutes = LastTwo(std::string_view(t).substr(p1 + 1, p2 - p1 - 1));
      const size_t p3 = t.find(' ', p2 + 1);
      if (p3 != std::string::npos)
        seconds = LastTwo(std::string_view(t).substr(p2 + 1, p3 - p2 - 1));
    }
  }
  return key + ":" + hours + ":" + minutes + ":" + seconds;
}

std::string VersionSortKey(std::string_view text) {
  if (text.empty()) return std::string();
  std::string key;
  for (std::string_view part : SplitAt(text, '.')) key += VersionPart(part);
  return key;
}

std::optional<double> NumberSortKey(std::string_view text) {
  if (!text.empty() && std::string_view("0123456789-+.").find(text[0]) == std::string_view::npos) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  // from_chars would also take "inf" and "nan"; a size is digits, a point and an exponent.
  if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string_view::npos ||
      (!IsDigit(text[0]) && text[0] != '.')) {
    return std::nullopt;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

SortableKey MakeSortableKey(std::string_view cell, SortCode code) {
  SortableKey key;
  switch (code) {
    case SortCode::kDate:
      key.text = DateSortKey(cell);
      break;
    case SortCode::kVersion:
      key.text = VersionSortKey(cell);
      break;
    case SortCode::kNumber:
      if (std::optional<double> number = NumberSortKey(cell)) {
        key.number = *number;
        key.isNumber = true;
      }
      break;
    case SortCode::kText:
      key.text = cell;
      break;
  }
  return key;
}

std::optional<int> CompareSortableKeys(const SortableKey& a, const SortableKey& b, SortCode code) {
  switch (code) {
    case SortCode::kNumber:
      if (!a.isNumber || !b.isNumber) return std::nullopt;
      return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
    case SortCode::kVersion:
      return Sign(strcText(a.text, b.text));
    case SortCode::kDate:
    case SortCode::kText:
      return Sign(stricText(a.text, b.text));
  }
  return 0;
}

std::optional<int> CompareSortKeys(std::string_view a, std::string_view b, SortCode code) {
  return CompareSortableKeys(MakeSortableKey(a, code), MakeSortableKey(b, code), code);
}

std::vector<SpecKey> SpecKeys(std::string_view spec, int32_t clickedColumn) {
  std::vector<SpecKey> keys;
  const std::string_view rest = spec.size() > 1 ? spec.substr(1) : std::string_view();
  for (std::string_view key : SplitAt(rest, ',')) {
    SpecKey parsed;
    if (!key.empty() && (key[0] == '<' || key[0] == '>')) {
      parsed.direction = key[0] == '<' ? KeyDirection::kAscending : KeyDirection::kDescending;
      key.remove_prefix(1);
    }
    const int64_t value = WholeValue(key);
    if (value == 0 && (key.empty() || key[0] != '0')) {
      parsed.column = clickedColumn;
    } else {
      parsed.column = value < 0 || value > INT32_MAX ? -1 : static_cast<int32_t>(value);
    }
    keys.push_back(parsed);
  }
  return keys;
}

bool UsesListTextSort(std::string_view tag, int32_t clickedColumn) {
  if (tag.empty()) return true;
  const bool typed = SortCodeOf(tag) != SortCode::kText;
  if (tag.size() == 1) return !typed;
  return !typed && tag.find(',') == std::string_view::npos &&
         WholeValue(tag.substr(1)) == clickedColumn;
}

}  // namespace qv
