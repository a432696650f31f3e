#include "platform/registry/name_compare.h"

#include <algorithm>

#include "platform/base/ascii_case.h"
#include "platform/registry/text_codec.h"

namespace qv::registry {
namespace {

// Simple upper-casing of the scripts that show up in key and value names in practice.
char32_t UpperOf(char32_t c) {
  if (c < 0x80) return static_cast<unsigned char>(AsciiToUpper(static_cast<char>(c)));
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;  // Latin-1
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {  // Latin Extended-A pairs
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return (c % 2 == 1) ? c - 1 : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;  // Greek
  if (c >= 0x430 && c <= 0x44F) return c - 32;                // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  return c;
}

bool IsAscii(char c) {
  return static_cast<unsigned char>(c) < 0x80;
}

}  // namespace

std::string FoldName(std::string_view name) {
  if (std::all_of(name.begin(), name.end(), IsAscii)) return AsciiUpper(name);
  std::string out;
  out.reserve(name.size());
  size_t pos = 0;
  while (pos < name.size()) {
    size_t start = pos;
    char32_t c = 0;
    if (!DecodeUtf8(name, &pos, &c)) {
      out.append(name.substr(start, pos - start));  // invalid bytes stay as they are
      continue;
    }
    AppendUtf8(UpperOf(c), &out);
  }
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() == b.size()) {
    bool plain = true;
    for (size_t i = 0; i < a.size() && plain; ++i) {
      plain = IsAscii(a[i]) && IsAscii(b[i]);
      if (plain && AsciiToUpper(a[i]) != AsciiToUpper(b[i])) return false;
    }
    if (plain) return true;
  }
  return FoldName(a) == FoldName(b);
}

}  // namespace qv::registry
