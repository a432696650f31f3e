#include "platform/registry/value.h"

namespace qv::registry {

Value Value::Text(const std::string& text, uint32_t type) {
  return Value{type, text, false};
}

Value Value::MultiText(const std::vector<std::string>& strings) {
  Value v{kMultiText, "", false};
  for (const std::string& s : strings) {
    v.data += s;
    v.data += '\0';
  }
  return v;
}

Value Value::Dword(uint32_t number) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return Value{kDword, bytes, false};
}

Value Value::Qword(uint64_t number) {
  std::string bytes(8, '\0');
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  return Value{kQword, bytes, false};
}

Value Value::Raw(uint32_t type, std::string bytes) {
  return Value{type, std::move(bytes), false};
}

Value Value::Tombstone() {
  return Value{kNone, "", true};
}

uint64_t Value::Number() const {
  uint64_t n = 0;
  for (size_t i = 0; i < data.size() && i < 8; ++i) {
    n |= static_cast<uint64_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  }
  return n;
}

std::vector<std::string> Value::Strings() const {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < data.size()) {
    size_t end = data.find('\0', start);
    if (end == std::string::npos) end = data.size();
    if (end == start) break;  // an empty string ends the list, as in Windows
    out.push_back(data.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

}  // namespace qv::registry
