#include "services/path_scan.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace qv {
namespace {

bool EndsPath(const std::string& text, size_t i, size_t start) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  if (c < 0x20 || c == 0x7F) return true;
  if (c == ':') {
    return !(i == start + 1 && std::isalpha(static_cast<unsigned char>(text[start])));
  }
  return std::strchr("\"*<>?|/[];", c) != nullptr;
}

std::vector<std::string> SplitParts(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  if (separator.empty()) {
    parts.push_back(text);
    return parts;
  }
  size_t from = 0;
  for (;;) {
    size_t at = text.find(separator, from);
    if (at == std::string::npos) {
      if (from < text.size()) parts.push_back(text.substr(from));
      return parts;
    }
    parts.push_back(text.substr(from, at - from));
    from = at + separator.size();
  }
}

bool SamePart(const std::string& a, const std::string& b, bool ignoreCase) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (ignoreCase) {
      x = static_cast<char>(std::tolower(static_cast<unsigned char>(x)));
      y = static_cast<char>(std::tolower(static_cast<unsigned char>(y)));
    }
    if (x != y) return false;
  }
  return true;
}

}  // namespace

int32_t GetNextNonFileChar(int32_t start, const std::string& text, int32_t /*reserved*/) {
  if (start < 1) start = 1;
  size_t from = static_cast<size_t>(start - 1);
  for (size_t i = from; i < text.size(); ++i) {
    if (EndsPath(text, i, from)) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

int32_t MatchStrings(const std::string& text, const std::string& candidate, int32_t ignoreCase,
                     const std::string& separator) {
  std::vector<std::string> textParts = SplitParts(text, separator);
  std::vector<std::string> candidateParts = SplitParts(candidate, separator);
  size_t matched = 0;
  while (matched < textParts.size() && matched < candidateParts.size() &&
         SamePart(textParts[matched], candidateParts[matched], ignoreCase != 0)) {
    ++matched;
  }
  if (matched == textParts.size() && matched == candidateParts.size()) return -1;
  size_t count = 0;
  for (size_t i = 0; i < matched; ++i) count += candidateParts[i].size() + separator.size();
  if (count > candidate.size()) count = candidate.size();
  return static_cast<int32_t>(count);
}

}  // namespace qv
