#include "platform/msi/packed_guid.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace qv::msi {
namespace {

constexpr std::string_view kAlphabet85 =
    "!$%&'()*+,-.0123456789=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{}~";

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int Digit85(char c) {
  std::size_t at = kAlphabet85.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The 32 digits of a standard GUID in order, without braces and hyphens.
std::string DigitsOf(std::string_view guid) {
  std::string digits;
  for (char c : guid.substr(1, 36)) {
    if (c != '-') digits += c;
  }
  return digits;
}

// The 16 bytes of a GUID as they lie in memory (the first three parts little-endian).
std::array<uint8_t, 16> BytesOf(std::string_view guid) {
  std::string d = DigitsOf(guid);
  auto byteAt = [&](std::size_t i) {
    return static_cast<uint8_t>(std::stoi(d.substr(2 * i, 2), nullptr, 16));
  };
  std::array<uint8_t, 16> b{};
  const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  for (int i = 0; i < 16; ++i) b[i] = byteAt(static_cast<std::size_t>(order[i]));
  return b;
}

}  // namespace

bool IsStandardGuid(std::string_view guid) {
  if (guid.size() != 38 || guid.front() != '{' || guid.back() != '}') return false;
  for (std::size_t i = 1; i < 37; ++i) {
    bool hyphen = i == 9 || i == 14 || i == 19 || i == 24;
    if (hyphen ? guid[i] != '-' : !IsHex(guid[i])) return false;
  }
  return true;
}

bool PackGuid(std::string_view guid, std::string* packed) {
  packed->clear();
  if (!IsStandardGuid(guid)) return false;
  std::string d = DigitsOf(guid);
  std::string out;
  out.reserve(32);
  out.append(d.rbegin() + 24, d.rend());         // 8 digits reversed
  out.append(d.rbegin() + 20, d.rbegin() + 24);  // 4 digits reversed
  out.append(d.rbegin() + 16, d.rbegin() + 20);  // 4 digits reversed
  for (std::size_t i = 16; i < 32; i += 2) {
    out += d[i + 1];
    out += d[i];
  }
  *packed = std::move(out);
  return true;
}

bool UnpackGuid(std::string_view packed, std::string* guid) {
  guid->clear();
  if (packed.size() != 32) return false;
  for (char c : packed) {
    if (!IsHex(c)) return false;
  }
  // Where each character of the standard form comes from in the packed one.
  static constexpr int kFrom[36] = {7,  6,  5,  4,  3,  2,  1,  0,  -1, 11, 10, 9,
                                    8,  -1, 15, 14, 13, 12, -1, 17, 16, 19, 18, -1,
                                    21, 20, 23, 22, 25, 24, 27, 26, 29, 28, 31, 30};
  guid->resize(38);
  char* out = guid->data();
  out[0] = '{';
  for (int i = 0; i < 36; ++i) out[i + 1] = kFrom[i] < 0 ? '-' : packed[kFrom[i]];
  out[37] = '}';
  return true;
}

bool DecodeCompressedGuid(std::string_view compressed, std::string* guid) {
  guid->clear();
  if (compressed.size() < 20) return false;
  uint32_t parts[4] = {};
  for (int part = 0; part < 4; ++part) {
    uint32_t value = 0;
    uint32_t base = 1;
    for (int i = 0; i < 5; ++i) {
      int digit = Digit85(compressed[static_cast<std::size_t>(part * 5 + i)]);
      if (digit < 0) return false;
      value += static_cast<uint32_t>(digit) * base;  // wraps as the installer's does
      base *= 85;
    }
    parts[part] = value;
  }
  uint8_t b[16];
  for (int i = 0; i < 16; ++i) b[i] = static_cast<uint8_t>(parts[i / 4] >> (8 * (i % 4)));
  char text[39];
  std::snprintf(text, sizeof text,
                "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3],
                b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13],
                b[14], b[15]);
  *guid = text;
  return true;
}

bool EncodeCompressedGuid(std::string_view guid, std::string* compressed) {
  compressed->clear();
  if (!IsStandardGuid(guid)) return false;
  std::array<uint8_t, 16> b = BytesOf(guid);
  for (int part = 0; part < 4; ++part) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(b[part * 4 + i]) << (8 * i);
    for (int i = 0; i < 5; ++i) {
      *compressed += kAlphabet85[value % 85];
      value /= 85;
    }
  }
  return true;
}

}  // namespace qv::msi
