#pragma once
// Little-endian integers written into byte strings, for the binary structures tests build.

#include <cstdint>
#include <string>

namespace qv::test {

/// The low width bytes of v, least significant first.
inline std::string Le(uint64_t v, int width) {
  std::string out;
  for (int i = 0; i < width; ++i) out += static_cast<char>(v >> (8 * i));
  return out;
}

/// Writes the low width bytes of v at (*bytes)[at], least significant first.
inline void PutLe(std::string* bytes, size_t at, uint64_t v, int width = 4) {
  bytes->replace(at, width, Le(v, width));
}

}  // namespace qv::test
