#include "platform/fs/short_names.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "platform/fs/name_compare.h"

namespace qv::fs {
namespace {

// Characters that may never appear in an 8.3 name: those Windows forbids in any name, and
// those it forbids only in short names.
bool IsForbiddenInShortName(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u <= 0x20 || u >= 0x7F) return true;
  return std::strchr("\"*+,/:;<=>?[\\]|", c) != nullptr;
}

// Cleans one part (base or extension) of a long name: blanks and dots dropped, forbidden
// characters replaced by '_' (one per UTF-8 character), letters upper-cased.
std::string CleanPart(std::string_view part) {
  std::string out;
  for (char c : part) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == ' ' || c == '.') continue;
    if (u >= 0x80 && u < 0xC0) continue;  // continuation byte of a character already replaced
    out += IsForbiddenInShortName(c) ? '_' : c;
  }
  return AsciiUpper(out);
}

int DigitCount(int n) {
  int digits = 1;
  while (n >= 10) {
    n /= 10;
    ++digits;
  }
  return digits;
}

}  // namespace

bool IsValidShortName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  size_t dot = name.find('.');
  std::string_view base = name.substr(0, dot);
  std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
  if (base.empty() || base.size() > 8) return false;
  if (dot != std::string_view::npos && (ext.empty() || ext.size() > 3)) return false;
  for (char c : base) {
    if (IsForbiddenInShortName(c)) return false;
  }
  for (char c : ext) {
    if (c == '.' || IsForbiddenInShortName(c)) return false;
  }
  return true;
}

std::string ShortNameCandidate(std::string_view longName, int n) {
  size_t lastDot = longName.rfind('.');
  std::string base, ext;
  if (lastDot == std::string_view::npos) {
    base = CleanPart(longName);
  } else {
    base = CleanPart(longName.substr(0, lastDot));
    ext = CleanPart(longName.substr(lastDot + 1));
  }
  if (base.empty()) base.swap(ext);
  if (base.empty()) base = "_";
  size_t baseLength = static_cast<size_t>(std::max(1, 7 - DigitCount(n)));
  std::string name = base.substr(0, baseLength) + "~" + std::to_string(n);
  if (!ext.empty()) name += "." + ext.substr(0, 3);
  return name;
}

std::vector<std::string> AssignShortNames(const std::vector<std::string>& sortedNames,
                                          const std::vector<std::string>& recorded) {
  std::vector<std::string> shortNames(sortedNames.size());
  std::unordered_set<std::string> taken;
  for (size_t i = 0; i < recorded.size() && i < sortedNames.size(); ++i) {
    if (recorded[i].empty()) continue;
    shortNames[i] = recorded[i];
    taken.insert(AsciiUpper(recorded[i]));
  }
  for (size_t i = 0; i < sortedNames.size(); ++i) {
    if (!shortNames[i].empty()) continue;
    if (IsValidShortName(sortedNames[i])) {
      shortNames[i] = sortedNames[i];
      taken.insert(AsciiUpper(sortedNames[i]));
    }
  }
  for (size_t i = 0; i < sortedNames.size(); ++i) {
    if (!shortNames[i].empty()) continue;
    for (int n = 1;; ++n) {
      std::string candidate = ShortNameCandidate(sortedNames[i], n);
      if (taken.insert(candidate).second) {
        shortNames[i] = std::move(candidate);
        break;
      }
    }
  }
  return shortNames;
}

}  // namespace qv::fs
