#include "services/local_dates.h"

#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

#include <cctype>
#include <cstdlib>
#include <memory>

#include "services/language_names.h"

namespace qv {
namespace {

// Buffers of 20 characters with their NUL.
constexpr size_t kBufferBytes = 19;

bool ReadNumber(const std::string& text, size_t from, size_t count, int* value) {
  if (text.size() < from + count) return false;
  *value = 0;
  for (size_t i = from; i < from + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    *value = *value * 10 + (text[i] - '0');
  }
  return true;
}

// A two-digit year is ambiguous in file lists that go back decades.
icu::UnicodeString WidenYear(const icu::UnicodeString& pattern) {
  icu::UnicodeString out;
  for (int32_t i = 0; i < pattern.length();) {
    if (pattern[i] == u'y') {
      int32_t run = 0;
      while (i + run < pattern.length() && pattern[i + run] == u'y') ++run;
      out.append(run == 2 ? icu::UnicodeString(u"yyyy") : pattern.tempSubString(i, run));
      i += run;
    } else if (pattern[i] == u'\'') {
      int32_t end = pattern.indexOf(u'\'', i + 1);
      if (end < 0) end = pattern.length() - 1;
      out.append(pattern.tempSubString(i, end - i + 1));
      i = end + 1;
    } else {
      out.append(pattern[i++]);
    }
  }
  return out;
}

std::string Format(icu::DateFormat* format, UDate when) {
  icu::UnicodeString text;
  format->format(when, text);
  std::string utf8;
  text.toUTF8String(utf8);
  return CutUtf8(utf8, kBufferBytes);
}

}  // namespace

std::string UserTimeLocale() {
  for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    std::string id(value);
    id = id.substr(0, id.find_first_of(".@"));
    if (id == "C" || id == "POSIX" || id.empty()) return "en_US";
    return id;
  }
  return "en_US";
}

int32_t DateToLocal(const std::string& date8, std::string* dateBuffer, std::string* timeBuffer) {
  dateBuffer->clear();
  timeBuffer->clear();
  int year, month, day;
  if (!ReadNumber(date8, 0, 4, &year) || !ReadNumber(date8, 4, 2, &month) ||
      !ReadNumber(date8, 6, 2, &day) || month < 1 || month > 12 || day < 1 || day > 31) {
    return 0;
  }
  int hour = 0, minute = 0, second = 0;
  bool hasTime = ReadNumber(date8, 8, 2, &hour) && ReadNumber(date8, 10, 2, &minute) &&
                 ReadNumber(date8, 12, 2, &second) && hour < 24 && minute < 60 && second < 60;
  icu::Locale locale(UserTimeLocale().c_str());
  UErrorCode error = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> calendar(
      icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), locale, error));
  if (U_FAILURE(error)) return 0;
  calendar->setLenient(false);
  calendar->clear();
  calendar->set(year, month - 1, day, hour, minute, second);
  UDate when = calendar->getTime(error);
  if (U_FAILURE(error)) return 0;  // 31 February and the like
  std::unique_ptr<icu::DateFormat> dateFormat(
      icu::DateFormat::createDateInstance(icu::DateFormat::kShort, locale));
  if (!dateFormat) return 0;
  dateFormat->setTimeZone(*icu::TimeZone::getGMT());
  if (auto* simple = dynamic_cast<icu::SimpleDateFormat*>(dateFormat.get())) {
    icu::UnicodeString pattern;
    simple->applyPattern(WidenYear(simple->toPattern(pattern)));
  }
  *dateBuffer = Format(dateFormat.get(), when);
  if (hasTime) {
    std::unique_ptr<icu::DateFormat> timeFormat(
        icu::DateFormat::createTimeInstance(icu::DateFormat::kMedium, locale));
    if (timeFormat) {
      timeFormat->setTimeZone(*icu::TimeZone::getGMT());
      *timeBuffer = Format(timeFormat.get(), when);
    }
  }
  return static_cast<int32_t>(dateBuffer->size());
}

}  // namespace qv
