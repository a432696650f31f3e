#include "platform/msi/automation.h"

#include <charconv>
#include <utility>

namespace qv::msi {

Record::Record(int fieldCount) : m_fields(fieldCount < 0 ? 1 : fieldCount + 1) {}

int Record::FieldCount() const {
  return static_cast<int>(m_fields.size()) - 1;
}

std::string Record::StringData(int field) const {
  if (field < 0 || field >= static_cast<int>(m_fields.size())) return "";
  const Field& f = m_fields[field];
  if (auto* i = std::get_if<int32_t>(&f)) return std::to_string(*i);
  if (auto* s = std::get_if<std::string>(&f)) return *s;
  return "";
}

int32_t Record::IntegerData(int field) const {
  if (field < 0 || field >= static_cast<int>(m_fields.size())) return kNullInteger;
  const Field& f = m_fields[field];
  if (auto* i = std::get_if<int32_t>(&f)) return *i;
  if (auto* s = std::get_if<std::string>(&f)) {
    int32_t v = 0;
    auto [end, ec] = std::from_chars(s->data(), s->data() + s->size(), v);
    if (ec == std::errc() && end == s->data() + s->size() && !s->empty()) return v;
  }
  return kNullInteger;
}

bool Record::IsNull(int field) const {
  if (field < 0 || field >= static_cast<int>(m_fields.size())) return true;
  return std::holds_alternative<std::monostate>(m_fields[field]);
}

const std::string& Record::StreamData(int field) const {
  static const std::string kEmpty;
  if (field < 0 || field >= static_cast<int>(m_fields.size())) return kEmpty;
  if (auto* s = std::get_if<Stream>(&m_fields[field])) return s->bytes;
  return kEmpty;
}

void Record::SetStringData(int field, std::string value) {
  if (field < 0 || field >= static_cast<int>(m_fields.size())) return;
  if (value.empty()) {
    m_fields[field] = std::monostate{};
  } else {
    m_fields[field] = std::move(value);
  }
}

void Record::SetIntegerData(int field, int32_t value) {
  if (field < 0 || field >= static_cast<int>(m_fields.size())) return;
  if (value == kNullInteger) {
    m_fields[field] = std::monostate{};
  } else {
    m_fields[field] = value;
  }
}

void Record::SetStreamData(int field, std::string bytes) {
  if (field < 0 || field >= static_cast<int>(m_fields.size())) return;
  m_fields[field] = Stream{std::move(bytes)};
}

void Record::SetNull(int field) {
  if (field < 0 || field >= static_cast<int>(m_fields.size())) return;
  m_fields[field] = std::monostate{};
}

std::string Record::FormatText() const {
  std::string out;
  if (IsNull(0)) {
    // Without a template the installer lists every field as "n: value ".
    for (int i = 1; i <= FieldCount(); ++i) {
      out += std::to_string(i) + ": " + StringData(i) + " ";
    }
    return out;
  }
  const std::string tmpl = StringData(0);
  for (size_t i = 0; i < tmpl.size(); ++i) {
    if (tmpl[i] == '[') {
      size_t close = tmpl.find(']', i);
      if (close != std::string::npos && close > i + 1) {
        const std::string inner = tmpl.substr(i + 1, close - i - 1);
        int n = 0;
        auto [end, ec] = std::from_chars(inner.data(), inner.data() + inner.size(), n);
        if (ec == std::errc() && end == inner.data() + inner.size()) {
          out += StringData(n);
          i = close;
          continue;
        }
      }
    }
    out += tmpl[i];
  }
  return out;
}

}  // namespace qv::msi
