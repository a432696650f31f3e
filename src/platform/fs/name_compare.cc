#include "platform/fs/name_compare.h"

#include <algorithm>

namespace qv::fs {

bool NameLess(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char ca = static_cast<unsigned char>(AsciiToLower(a[i]));
    unsigned char cb = static_cast<unsigned char>(AsciiToLower(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace qv::fs
