#include "services/text_compare.h"

#include <algorithm>

namespace qv {

namespace {

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

int32_t Sign(int value) {
  return (value > 0) - (value < 0);
}

// -1, 0 or 1 for two bytes, as unsigned values, folded first when ignoring case.
int32_t CompareChars(char a, char b, bool ignore_case) {
  unsigned char ca = static_cast<unsigned char>(a);
  unsigned char cb = static_cast<unsigned char>(b);
  if (ignore_case) {
    ca = FoldAscii(ca);
    cb = FoldAscii(cb);
  }
  return ca == cb ? 0 : (ca < cb ? -1 : 1);
}

// The order of two texts equal up to the shorter one's end: the shorter first.
int32_t CompareLengths(std::string_view a, std::string_view b) {
  return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

int32_t CompareBytes(std::string_view a, std::string_view b, bool ignore_case) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    if (const int32_t r = CompareChars(a[i], b[i], ignore_case); r != 0) return r;
  }
  return CompareLengths(a, b);
}

// CompareKeys for a one-character separator, in one pass: a separator sorts below every
// other character (its part ended first) and above the end of the text, which is the
// part-by-part order.
int32_t CompareWithSeparatorChar(std::string_view a, std::string_view b, char separator,
                                 bool ignore_case) {
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  if (!ignore_case) {
    i = static_cast<size_t>(std::mismatch(a.begin(), a.begin() + n, b.begin()).first - a.begin());
  }
  for (; i < n; ++i) {
    if (a[i] == b[i]) continue;
    if (a[i] == separator) return -1;
    if (b[i] == separator) return 1;
    if (const int32_t r = CompareChars(a[i], b[i], ignore_case); r != 0) return r;
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
                    int32_t ignore_case) {
  const bool fold = ignore_case != 0;
  if (separator.empty()) return CompareBytes(a, b, fold);
  if (separator.size() == 1) return CompareWithSeparatorChar(a, b, separator[0], fold);
  size_t from_a = 0;
  size_t from_b = 0;
  for (;;) {
    const size_t end_a = std::min(a.find(separator, from_a), a.size());
    const size_t end_b = std::min(b.find(separator, from_b), b.size());
    const int32_t r =
        CompareBytes(a.substr(from_a, end_a - from_a), b.substr(from_b, end_b - from_b), fold);
    if (r != 0) return r;
    const bool more_a = end_a < a.size();
    const bool more_b = end_b < b.size();
    if (!more_a || !more_b) return Sign(static_cast<int>(more_a) - static_cast<int>(more_b));
    from_a = end_a + separator.size();
    from_b = end_b + separator.size();
  }
}

int32_t FormatTrailingNumeric(std::string_view text, std::string* out) {
  size_t digits_at = text.size();
  while (digits_at > 0 && text[digits_at - 1] >= '0' && text[digits_at - 1] <= '9') --digits_at;
  if (digits_at == text.size()) {
    out->assign(text);
    return static_cast<int32_t>(out->size());
  }
  std::string_view number = text.substr(digits_at);
  const size_t significant = number.find_first_not_of('0');
  number = significant == std::string_view::npos ? number.substr(number.size() - 1)
                                                 : number.substr(significant);
  out->assign(text.substr(0, digits_at));
  if (number.size() <= static_cast<size_t>(kTrailingNumberWidth)) {
    out->append(kTrailingNumberWidth - number.size(), '0');
    out->append(number);
  } else {
    out->append(text.substr(digits_at));
  }
  return static_cast<int32_t>(out->size());
}

}  // namespace qv
