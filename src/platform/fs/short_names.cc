#include "platform/fs/short_names.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_map>
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

// A long name's cleaned base and its short extension (".TXT", or "" when it has none).
struct ShortNameParts {
  std::string base;
  std::string extension;
};

ShortNameParts SplitForShortName(std::string_view longName) {
  const size_t lastDot = longName.rfind('.');
  ShortNameParts parts;
  std::string ext;
  if (lastDot == std::string_view::npos) {
    parts.base = CleanPart(longName);
  } else {
    parts.base = CleanPart(longName.substr(0, lastDot));
    ext = CleanPart(longName.substr(lastDot + 1));
  }
  if (parts.base.empty()) parts.base.swap(ext);
  if (parts.base.empty()) parts.base = "_";
  if (!ext.empty()) parts.extension = "." + ext.substr(0, 3);
  return parts;
}

// What every candidate with a number of this many digits starts with: "ANOTHE~" for 1.
std::string Stem(const ShortNameParts& parts, int digits) {
  const size_t baseLength = static_cast<size_t>(std::max(1, 7 - digits));
  return parts.base.substr(0, baseLength) + "~";
}

int PowerOfTen(int exponent) {
  int value = 1;
  for (int i = 0; i < exponent && value <= std::numeric_limits<int>::max() / 10; ++i) value *= 10;
  return value;
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
  const ShortNameParts parts = SplitForShortName(longName);
  return Stem(parts, DigitCount(n)) + std::to_string(n) + parts.extension;
}

std::vector<std::string> AssignShortNames(const std::vector<std::string>& names,
                                          const std::vector<std::string>& recorded) {
  std::vector<std::string> shortNames(names.size());
  std::unordered_set<std::string> taken;
  // The short names an NTFS volume keeps come first: they are the files' names on Windows.
  for (size_t i = 0; i < recorded.size() && i < names.size(); ++i) {
    if (recorded[i].empty()) continue;
    shortNames[i] = recorded[i];
    taken.insert(AsciiUpper(recorded[i]));
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (!shortNames[i].empty()) continue;
    if (IsValidShortName(names[i])) {
      shortNames[i] = names[i];
      taken.insert(AsciiUpper(names[i]));
    }
  }
  // For each stem ("ANOTHE~" with ".TXT"), every number below the one kept here is taken, so
  // each name's search resumes where the previous one of its stem stopped: the names of a
  // folder are given out in time linear in their count.
  std::unordered_map<std::string, int> nextFree;
  for (size_t i = 0; i < names.size(); ++i) {
    if (!shortNames[i].empty()) continue;
    const ShortNameParts parts = SplitForShortName(names[i]);
    for (int digits = 1; shortNames[i].empty(); ++digits) {
      const std::string stem = Stem(parts, digits);
      int& next = nextFree[stem + parts.extension];
      if (next == 0) next = digits == 1 ? 1 : PowerOfTen(digits - 1);
      const int last = PowerOfTen(digits) - 1;
      for (; next <= last; ++next) {
        std::string candidate = stem + std::to_string(next) + parts.extension;
        if (taken.insert(candidate).second) {
          shortNames[i] = std::move(candidate);
          ++next;
          break;
        }
      }
    }
  }
  return shortNames;
}

}  // namespace qv::fs
