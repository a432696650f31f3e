#include "numbers/bit_lists.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include <locale.h>
#include <stdlib.h>

#include "services/bits.h"

namespace qv {
namespace {

// Cuts the first field off *rest: the text before the first delimiter, untrimmed. A text
// without the delimiter is the last field; an empty or all-blank text gives an empty field
// and ends the list.
std::string_view CutFirstField(std::string_view* rest, char delimiter) {
  if (rest->find_first_not_of(' ') == std::string_view::npos) {
    *rest = {};
    return {};
  }
  size_t at = rest->find(delimiter);
  std::string_view field = rest->substr(0, at);
  *rest = at == std::string_view::npos ? std::string_view() : rest->substr(at + 1);
  return field;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

Status OutOfRange(std::string_view text) {
  return Status::InvalidArgument("\"" + std::string(text) +
                                 "\" is outside the range of a signed 32-bit number "
                                 "(-2147483648 to 2147483647)");
}

}  // namespace

std::string BitListOf(int32_t value) {
  std::string buffer;
  BitsSet(&buffer, value);
  return buffer;
}

std::string BitsToHexList(int32_t value) {
  if (value == 0) return "&H0";
  std::string list = BitListOf(value);
  std::string_view rest = list;
  std::string result;
  while (!rest.empty()) {
    std::string_view field = CutFirstField(&rest, ',');
    int32_t n = LeadingNumberValue(field);
    if (n < 1 || n > 32) continue;
    result += "+&H" + HexDigits(static_cast<int32_t>(1u << (n - 1)));
  }
  return result.empty() ? result : result.substr(1);
}

int32_t HexListToValue(std::string_view text, Status* status) {
  if (status) *status = Status::Ok();
  int32_t sum = 0;
  std::string_view rest = text;
  while (!rest.empty()) {
    std::string_view field = CutFirstField(&rest, '+');
    if (field.size() <= 2 || field[0] != '&' || (field[1] != 'H' && field[1] != 'h')) continue;
    Status readStatus;
    int32_t term = HexToValue(field.substr(2), &readStatus);
    if (!readStatus.ok()) {
      if (status) {
        *status =
            Status::InvalidArgument("\"" + std::string(field) + "\" in \"" + std::string(text) +
                                    "\" is not a hexadecimal number of at most 8 digits");
      }
      return 0;
    }
    if (__builtin_add_overflow(sum, term, &sum)) {
      if (status) {
        *status = Status::InvalidArgument("the bit values \"" + std::string(text) +
                                          "\" add up to more than a signed 32-bit number holds");
      }
      return 0;
    }
  }
  return sum;
}

int32_t BitsTextToValue(std::string_view text, Status* status) {
  int32_t value = 0;
  Status result = SetBits(&value, text);
  if (status) *status = result;
  return value;
}

int32_t LeadingNumberValue(std::string_view text, Status* status) {
  if (status) *status = Status::Ok();
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return 0;

  if (text.size() - i >= 2 && text[i] == '&' && (text[i + 1] == 'H' || text[i + 1] == 'h')) {
    size_t end = i + 2;
    while (end < text.size() && IsHexDigit(text[end])) ++end;
    if (end == i + 2) return 0;
    Status hexStatus;
    int32_t value = HexToValue(text.substr(i + 2, end - i - 2), &hexStatus);
    if (!hexStatus.ok()) {
      if (status) *status = OutOfRange(text);
      return 0;
    }
    return value;
  }

  // Copies the longest prefix that forms a number: sign, digits, fraction, exponent ("D" is
  // an exponent letter too).
  std::string number;
  if (text[i] == '+' || text[i] == '-') number.push_back(text[i++]);
  bool digits = false;
  while (i < text.size() && IsDigit(text[i])) {
    number.push_back(text[i++]);
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    number.push_back(text[i++]);
    while (i < text.size() && IsDigit(text[i])) {
      number.push_back(text[i++]);
      digits = true;
    }
  }
  if (!digits) return 0;
  if (i + 1 < text.size() &&
      (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (text[j] == '+' || text[j] == '-') exponent.push_back(text[j++]);
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) exponent.push_back(text[j++]);
      number += exponent;
    }
  }

  // The C locale's decimal point, whatever locale the window set up.
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
  double parsed = strtod_l(number.c_str(), nullptr, cLocale);
  int savedMode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  double rounded = std::nearbyint(parsed);
  std::fesetround(savedMode);
  if (!(rounded >= std::numeric_limits<int32_t>::min() &&
        rounded <= std::numeric_limits<int32_t>::max())) {
    if (status) *status = OutOfRange(text);
    return 0;
  }
  return static_cast<int32_t>(rounded);
}

std::string SignSlotDecimal(int32_t value) {
  return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

std::string PlainDecimal(int32_t value) {
  return std::to_string(value);
}

std::string HexDigits(int32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%X", static_cast<uint32_t>(value));
  return buffer;
}

std::string PaddedHex(int32_t value) {
  std::string hex = "00000000" + HexDigits(value);
  return hex.substr(hex.size() - 8);
}

}  // namespace qv
