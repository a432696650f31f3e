#include "records/record_text.h"

#include "services/path_text.h"
#include "services/record_fields.h"

namespace qv {

namespace {

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string FieldText(const std::string& tag, const std::string& value) {
  if (value.find('|') == std::string::npos && (value.empty() || value[0] != '"')) {
    return tag + value;
  }
  std::string field = tag + '"';
  for (const char c : value) {
    field.push_back(c);
    if (c == '"') field.push_back('"');
  }
  field.push_back('"');
  return field;
}

std::string GetFld(const std::string& record, const std::string& tag) {
  if (record.empty()) return std::string();
  std::string buffer(record.size(), '\0');
  const int32_t n = GetFldCC(&buffer, record, tag, static_cast<int32_t>(record.size()));
  return buffer.substr(0, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string ExtractFirstFld(std::string* text, const std::string& delimiter) {
  if (text->empty()) return std::string();
  std::string trimmed = TrimBlanks(*text);
  if (trimmed.empty()) {
    text->clear();
    return std::string();
  }
  if ((*text)[0] == '"' || delimiter.empty()) {
    std::string buffer(trimmed.size(), '\0');
    const int32_t n = ExtractFirstFldC(&trimmed, &buffer, delimiter);
    *text = TrimBlanks(TrimNul(trimmed));
    return buffer.substr(0, n > 0 ? static_cast<size_t>(n) : 0);
  }
  const size_t at = text->find(delimiter);
  if (at == std::string::npos) {
    std::string whole;
    whole.swap(*text);
    return whole;
  }
  std::string first = text->substr(0, at);
  text->erase(0, at + delimiter.size());
  return first;
}

std::string AfterFirstBar(const std::string& text) {
  const size_t bar = text.find('|');
  return bar == std::string::npos ? text : text.substr(bar + 1);
}

std::string BeforeFirstBar(const std::string& text) {
  const size_t bar = text.find('|');
  return bar == std::string::npos ? text : text.substr(0, bar);
}

}  // namespace qv
