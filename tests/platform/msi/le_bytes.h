#pragma once
// Little-endian byte strings, to write the binary structures parser tests feed in.

#include <cstdint>
#include <string>

namespace qv::msi {

/// The low `width` bytes of v, least significant first.
inline std::string Le(uint64_t v, int width) {
  std::string out;
  for (int i = 0; i < width; ++i) out += static_cast<char>(v >> (8 * i));
  return out;
}

}  // namespace qv::msi
