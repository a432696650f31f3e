#include "platform/msi/stream_name.h"

#include "platform/registry/text_codec.h"

namespace qv::msi {
namespace {

constexpr char16_t kTablePrefix = 0x4840;
constexpr char16_t kPairBase = 0x3800;
constexpr char16_t kSingleBase = 0x4800;

char CharOf(int n) {
  if (n < 10) return static_cast<char>('0' + n);
  if (n < 36) return static_cast<char>('A' + n - 10);
  if (n < 62) return static_cast<char>('a' + n - 36);
  return n == 62 ? '.' : '_';
}

int NumberOf(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 36;
  if (c == '.') return 62;
  if (c == '_') return 63;
  return -1;
}

}  // namespace

DecodedStreamName DecodeStreamName(const std::u16string& stored) {
  DecodedStreamName result;
  size_t i = 0;
  if (!stored.empty() && stored[0] == kTablePrefix) {
    result.isTable = true;
    i = 1;
  }
  for (; i < stored.size(); ++i) {
    const char16_t c = stored[i];
    if (c >= kPairBase && c < kSingleBase) {
      const int v = c - kPairBase;
      result.name.push_back(CharOf(v & 0x3F));
      result.name.push_back(CharOf(v >> 6));
    } else if (c >= kSingleBase && c < kSingleBase + 0x40) {
      result.name.push_back(CharOf(c - kSingleBase));
    } else if (c >= 0xD800 && c < 0xDC00 && i + 1 < stored.size() && stored[i + 1] >= 0xDC00 &&
               stored[i + 1] < 0xE000) {
      registry::AppendUtf8(0x10000 + ((c - 0xD800) << 10) + (stored[i + 1] - 0xDC00), &result.name);
      ++i;
    } else {
      registry::AppendUtf8(c, &result.name);
    }
  }
  return result;
}

std::u16string EncodeStreamName(const std::string& name, bool isTable) {
  std::u16string out;
  if (isTable) out.push_back(kTablePrefix);
  for (size_t i = 0; i < name.size(); ++i) {
    const int a = NumberOf(name[i]);
    if (a < 0) {
      out.push_back(static_cast<unsigned char>(name[i]));  // only ASCII is expected here
      continue;
    }
    const int b = i + 1 < name.size() ? NumberOf(name[i + 1]) : -1;
    if (b >= 0) {
      out.push_back(static_cast<char16_t>(kPairBase + a + (b << 6)));
      ++i;
    } else {
      out.push_back(static_cast<char16_t>(kSingleBase + a));
    }
  }
  return out;
}

}  // namespace qv::msi
