#include "platform/registry/value.h"

#include "platform/registry/text_codec.h"

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

Value Value::FromStoredText(uint32_t type, std::string text) {
  if (type == kMultiText) {
    // The list ends with an empty string: its NUL goes, every other string keeps its own, so
    // empty strings before the end stay as Wine's text form keeps them.
    if (text.size() >= 2 && text[text.size() - 1] == '\0' && text[text.size() - 2] == '\0') {
      text.pop_back();
    }
    if (!text.empty() && text.back() != '\0') text += '\0';
    if (text.size() == 1) text.clear();  // only the empty string that ends the list
  } else if (type == kText || type == kExpandText) {
    while (!text.empty() && text.back() == '\0') text.pop_back();
  }
  return Value{type, std::move(text), false};
}

Value Value::FromStoredBytes(uint32_t type, std::string_view bytes) {
  if (type == kText || type == kExpandText || type == kMultiText) {
    return FromStoredText(type, Utf16LeToUtf8(bytes));
  }
  return Value{type, std::string(bytes), false};
}

std::string Value::StoredBytes() const {
  if (!IsText()) return data;
  std::string text = data;
  if (type == kMultiText && text.empty()) text += '\0';
  text += '\0';
  return Utf8ToUtf16Le(text);
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
