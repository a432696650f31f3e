#include "details/file_names.h"

#include "services/local_dates.h"
#include "services/path_text.h"
#include "state/program_state.h"

namespace qv {
namespace {

// Characters after which a word starts; the file-key marker joins them.
bool IsWordSeparator(char c, const std::string& marker) {
  switch (c) {
    case ' ':
    case '\\':
    case '.':
    case '(':
    case ')':
    case '/':
      return true;
    default:
      return !marker.empty() && c == marker[0];
  }
}

}  // namespace

std::string TitleCaseName(const std::string& name) {
  const std::string& marker = Program().FileKeyMarker;
  std::string out = name;
  bool wordStart = true;
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (IsWordSeparator(c, marker)) {
      wordStart = true;
      continue;
    }
    if (wordStart && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    wordStart = false;
  }
  return out;
}

std::string FormatFileDateTime(const std::string& stamp) {
  if (stamp.empty() || stamp.compare(0, 8, "00000000") == 0) return "";
  std::string date, time;
  DateToLocal(stamp.substr(0, 8), &date, &time);
  date = TrimNul(date);
  auto part = [&](size_t from) { return from < stamp.size() ? stamp.substr(from, 2) : ""; };
  return part(8) + ":" + part(10) + ":" + part(12) + " " + date;
}

}  // namespace qv
