#include "services/registry_functions.h"

#include <charconv>

#include "platform/machine/machine_registry.h"

namespace qv {
namespace {

using registry::Value;

// The base folder of the utility library: machine-wide program data on drive C.
constexpr const char* kDunarDir = "C:\\ProgramData\\Dunar";

bool Read(const std::string& key, const std::string& name, Value* value) {
  return CurrentRegistry().GetValue(key, name, value).ok();
}

// Puts text into a caller's buffer of size bytes (room for the NUL included): the count with
// the NUL when it fits, minus that count when it does not.
int32_t Fill(const std::string& text, std::string* buffer, int32_t size) {
  int64_t needed = static_cast<int64_t>(text.size()) + 1;
  if (needed > INT32_MAX) return INT32_MIN + 1;
  if (size < needed) return -static_cast<int32_t>(needed);
  *buffer = text;
  return static_cast<int32_t>(needed);
}

int32_t Write(const std::string& key, const std::string& name, const Value& value) {
  return CurrentRegistry().SetValue(key, name, value).ok() ? 1 : 0;
}

}  // namespace

int32_t GetREGString(const std::string& key, const std::string& name, std::string* buffer,
                     int32_t size) {
  Value value;
  if (!Read(key, name, &value) || !value.IsText()) return 0;
  return Fill(value.data, buffer, size);
}

int32_t GetREGDWord(const std::string& key, const std::string& name, int32_t* value) {
  Value v;
  if (!Read(key, name, &v) || v.type != registry::kDword || v.data.size() != 4) return 0;
  *value = static_cast<int32_t>(static_cast<uint32_t>(v.Number()));
  return 4;
}

int32_t GetREGData(const std::string& key, const std::string& name, std::string* buffer,
                   int32_t size, int32_t* type) {
  Value v;
  if (!Read(key, name, &v)) return 0;
  std::string data;
  if (v.type == registry::kDword && v.data.size() == 4) {
    data = std::to_string(static_cast<int32_t>(static_cast<uint32_t>(v.Number())));
  } else if (v.type == registry::kQword && v.data.size() == 8) {
    data = std::to_string(static_cast<int64_t>(v.Number()));
  } else {
    data = v.data;
  }
  int32_t result = Fill(data, buffer, size);
  if (result > 0) *type = static_cast<int32_t>(v.type);
  return result;
}

int32_t SaveREGString(const std::string& key, const std::string& name, const std::string& text,
                      int32_t type, int32_t /*size*/) {
  switch (type) {
    case registry::kText:
    case registry::kExpandText:
      return Write(key, name, Value::Text(text, type));
    case registry::kMultiText: {
      std::string data = text;
      if (!data.empty() && data.back() != '\0') data += '\0';
      return Write(key, name, Value::Raw(registry::kMultiText, data));
    }
    case registry::kBinary:
      return Write(key, name, Value::Raw(registry::kBinary, text));
    case registry::kDword:
    case registry::kQword: {
      int64_t number = 0;
      auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
      if (ec != std::errc() || end != text.data() + text.size()) return 0;
      return Write(key, name,
                   type == registry::kDword ? Value::Dword(static_cast<uint32_t>(number))
                                            : Value::Qword(static_cast<uint64_t>(number)));
    }
    default:
      return 0;
  }
}

int32_t SaveREGString(const std::string& key, const std::string& name, int32_t value, int32_t type,
                      int32_t /*size*/) {
  switch (type) {
    case registry::kDword:
      return Write(key, name, Value::Dword(static_cast<uint32_t>(value)));
    case registry::kQword:
      return Write(key, name, Value::Qword(static_cast<uint64_t>(static_cast<int64_t>(value))));
    case registry::kText:
    case registry::kExpandText:
      return Write(key, name, Value::Text(std::to_string(value), type));
    default:
      return 0;
  }
}

int32_t DelREGValue(const std::string& key, const std::string& name) {
  return CurrentRegistry().DeleteValue(key, name).ok() ? 1 : 0;
}

int32_t SetDUNARDir(std::string* buffer, int32_t size) {
  std::string dir = kDunarDir;
  if (size <= 0) return 0;
  if (dir.size() > static_cast<size_t>(size - 1)) dir.resize(static_cast<size_t>(size - 1));
  *buffer = dir;
  return static_cast<int32_t>(dir.size());
}

}  // namespace qv
