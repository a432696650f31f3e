#pragma once
// Little-endian integers in byte buffers, as the compound file, the string pool, table
// streams and property sets store them. The caller guarantees the bytes are there.

#include <cstdint>

namespace qv {

/// The 16-bit value at p.
inline uint16_t ReadLe16(const char* p) {
  return static_cast<uint16_t>(static_cast<uint8_t>(p[0]) | (static_cast<uint8_t>(p[1]) << 8));
}
/// The 24-bit value at p (3-byte string references).
inline uint32_t ReadLe24(const char* p) {
  return ReadLe16(p) | (static_cast<uint32_t>(static_cast<uint8_t>(p[2])) << 16);
}
/// The 32-bit value at p.
inline uint32_t ReadLe32(const char* p) {
  return ReadLe16(p) | (static_cast<uint32_t>(ReadLe16(p + 2)) << 16);
}
/// The 64-bit value at p.
inline uint64_t ReadLe64(const char* p) {
  return ReadLe32(p) | (static_cast<uint64_t>(ReadLe32(p + 4)) << 32);
}

}  // namespace qv
