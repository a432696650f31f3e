#include "services/text_case.h"

#include "platform/base/ascii_case.h"

namespace qv {

bool SameText(std::string_view a, std::string_view b) {
  return EqualsNoCase(a, b);
}

size_t FindNoCase(std::string_view text, std::string_view needle, size_t from) {
  if (from > text.size()) return std::string::npos;
  return AsciiLower(text).find(AsciiLower(needle), from);
}

bool ContainsNoCase(std::string_view text, std::string_view needle) {
  return FindNoCase(text, needle) != std::string::npos;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && SameText(text.substr(text.size() - suffix.size()), suffix);
}

std::string ReplaceNoCase(std::string_view text, std::string_view what, std::string_view with) {
  if (what.empty()) return std::string(text);
  const std::string lowerText = AsciiLower(text);
  const std::string lowerWhat = AsciiLower(what);
  std::string out;
  size_t pos = 0;
  for (size_t hit = lowerText.find(lowerWhat); hit != std::string::npos;
       hit = lowerText.find(lowerWhat, pos)) {
    out.append(text.substr(pos, hit - pos));
    out.append(with);
    pos = hit + what.size();
  }
  out.append(text.substr(pos));
  return out;
}

}  // namespace qv
