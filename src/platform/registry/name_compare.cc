#include "platform/registry/name_compare.h"

#include "platform/registry/text_codec.h"

namespace qv::registry {
namespace {

// Simple upper-casing of the scripts that show up in key and value names in practice.
char32_t UpperOf(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c < 0x80) return c;
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

}  // namespace

std::string FoldName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  bool ascii = true;
  for (char ch : name) {
    if (static_cast<unsigned char>(ch) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) {
    for (char ch : name) out += (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
    return out;
  }
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
      unsigned char x = a[i], y = b[i];
      if (x >= 0x80 || y >= 0x80) {
        plain = false;
        break;
      }
      if (x >= 'a' && x <= 'z') x -= 32;
      if (y >= 'a' && y <= 'z') y -= 32;
      if (x != y) return false;
    }
    if (plain) return true;
  }
  return FoldName(a) == FoldName(b);
}

}  // namespace qv::registry
