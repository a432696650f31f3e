#include "services/text_compare.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/base/ascii_case.h"

namespace qv {

namespace {

int32_t Sign(int value) {
  return (value > 0) - (value < 0);
}

// -1, 0 or 1 for two bytes, as unsigned values, folded first when ignoring case.
int32_t CompareChars(char a, char b, bool ignoreCase) {
  unsigned char ca = static_cast<unsigned char>(a);
  unsigned char cb = static_cast<unsigned char>(b);
  if (ignoreCase) {
    ca = static_cast<unsigned char>(AsciiToLower(a));
    cb = static_cast<unsigned char>(AsciiToLower(b));
  }
  return ca == cb ? 0 : (ca < cb ? -1 : 1);
}

// The order of two texts equal up to the shorter one's end: the shorter first.
int32_t CompareLengths(std::string_view a, std::string_view b) {
  return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

int32_t CompareBytes(std::string_view a, std::string_view b, bool ignoreCase) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    if (const int32_t r = CompareChars(a[i], b[i], ignoreCase); r != 0) return r;
  }
  return CompareLengths(a, b);
}

// The index of the first byte at which a and b differ within their first n, or n. Eight bytes
// at a time: keys of one list often share long beginnings (the folder of many files).
size_t FirstDifference(const char* a, const char* b, size_t n) {
  size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= n; i += 8) {
      uint64_t x;
      uint64_t y;
      std::memcpy(&x, a + i, 8);
      std::memcpy(&y, b + i, 8);
      if (x != y) return i + static_cast<size_t>(std::countr_zero(x ^ y)) / 8;
    }
  }
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

// CompareKeys for a one-character separator, in one pass: a separator sorts below every
// other character (its part ended first) and above the end of the text, which is the
// part-by-part order.
int32_t CompareWithSeparatorChar(std::string_view a, std::string_view b, char separator,
                                 bool ignoreCase) {
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  if (!ignoreCase) {
    i = FirstDifference(a.data(), b.data(), n);
  }
  for (; i < n; ++i) {
    if (a[i] == b[i]) continue;
    if (a[i] == separator) return -1;
    if (b[i] == separator) return 1;
    if (const int32_t r = CompareChars(a[i], b[i], ignoreCase); r != 0) return r;
  }
  return CompareLengths(a, b);
}

}  // namespace

int32_t strcText(std::string_view a, std::string_view b) {
  return CompareBytes(a, b, false);
}

int32_t stricText(std::string_view a, std::string_view b) {
  return CompareBytes(a, b, true);
}

int32_t CompareKeys(std::string_view a, std::string_view b, std::string_view separator,
                    int32_t ignoreCase) {
  const bool fold = ignoreCase != 0;
  if (separator.empty()) return CompareBytes(a, b, fold);
  if (separator.size() == 1) return CompareWithSeparatorChar(a, b, separator[0], fold);
  size_t fromA = 0;
  size_t fromB = 0;
  for (;;) {
    const size_t endA = std::min(a.find(separator, fromA), a.size());
    const size_t endB = std::min(b.find(separator, fromB), b.size());
    const int32_t r =
        CompareBytes(a.substr(fromA, endA - fromA), b.substr(fromB, endB - fromB), fold);
    if (r != 0) return r;
    const bool moreA = endA < a.size();
    const bool moreB = endB < b.size();
    if (!moreA || !moreB) return Sign(static_cast<int>(moreA) - static_cast<int>(moreB));
    fromA = endA + separator.size();
    fromB = endB + separator.size();
  }
}

int32_t FormatTrailingNumeric(std::string_view text, std::string* out) {
  size_t digitsAt = text.size();
  while (digitsAt > 0 && text[digitsAt - 1] >= '0' && text[digitsAt - 1] <= '9') --digitsAt;
  if (digitsAt == text.size()) {
    out->assign(text);
    return static_cast<int32_t>(out->size());
  }
  std::string_view number = text.substr(digitsAt);
  const size_t significant = number.find_first_not_of('0');
  number = significant == std::string_view::npos ? number.substr(number.size() - 1)
                                                 : number.substr(significant);
  out->assign(text.substr(0, digitsAt));
  if (number.size() <= static_cast<size_t>(kTrailingNumberWidth)) {
    out->append(kTrailingNumberWidth - number.size(), '0');
    out->append(number);
  } else {
    out->append(text.substr(digitsAt));
  }
  return static_cast<int32_t>(out->size());
}

}  // namespace qv
