#include "services/language_names.h"

#include <unicode/locid.h>
#include <unicode/uloc.h>
#include <unicode/unistr.h>

#include <cctype>
#include <vector>

namespace qv {
namespace {

std::string LanguageName(int32_t languageId) {
  if (languageId == 0) return "Language Neutral";
  char localeId[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode error = U_ZERO_ERROR;
  int32_t length = uloc_getLocaleForLCID(static_cast<uint32_t>(languageId), localeId,
                                         sizeof localeId - 1, &error);
  if (U_FAILURE(error) || length <= 0) {
    return "Unknown language " + std::to_string(languageId);
  }
  icu::UnicodeString name;
  icu::Locale(localeId).getDisplayName(icu::Locale::getEnglish(), name);
  std::string text;
  name.toUTF8String(text);
  return text;
}

int32_t Answer(const std::string& text, std::string* buffer, int32_t size) {
  *buffer = size > 0 ? CutUtf8(text, static_cast<size_t>(size - 1)) : std::string();
  return static_cast<int32_t>(buffer->size());
}

bool ParseIds(const std::string& text, std::vector<int32_t>* ids) {
  size_t i = 0;
  while (i <= text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    size_t digits = i;
    int64_t value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      value = value * 10 + (text[i] - '0');
      if (value > 0xFFFFFFFFLL) return false;
      ++i;
    }
    if (i == digits) return false;
    ids->push_back(static_cast<int32_t>(value));
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) return true;
    if (text[i] != ',') return false;
    ++i;
  }
  return false;
}

}  // namespace

std::string CutUtf8(const std::string& text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t cut = maxBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut);
}

int32_t DecodeLanguageC(int32_t languageId, std::string* buffer, int32_t size) {
  return Answer(LanguageName(languageId), buffer, size);
}

int32_t DecodeLanguageC(const std::string& languageIds, std::string* buffer, int32_t size) {
  std::vector<int32_t> ids;
  if (!ParseIds(languageIds, &ids)) return Answer("", buffer, size);
  std::string names;
  for (size_t i = 0; i < ids.size(); ++i) {
    if (i > 0) names += "; ";
    names += LanguageName(ids[i]);
  }
  return Answer(names, buffer, size);
}

}  // namespace qv
