#include "platform/fs/dir_search.h"

#include "platform/fs/name_compare.h"
#include "platform/fs/path_map.h"

namespace qv::fs {
namespace {

// Length of the UTF-8 character that starts at text[i] (1 for stray bytes).
size_t CharLength(std::string_view text, size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  size_t end = i + 1;
  while (end < i + length && end < text.size() &&
         (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    ++end;
  }
  return end - i;
}

// Glob matching with one backtracking point per '*' (the classic linear-space algorithm).
bool GlobMatch(std::string_view mask, std::string_view name) {
  size_t m = 0, n = 0;
  size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && mask[m] == '?') {
      ++m;
      n += CharLength(name, n);
    } else if (m < mask.size() && AsciiToLower(mask[m]) == AsciiToLower(name[n])) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      starName += CharLength(name, starName);
      n = starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

bool HasWildcards(std::string_view mask) {
  return mask.find_first_of("*?") != std::string_view::npos;
}

// what + 'text', built by appending (g++ 12 warns falsely on chained operator+ here).
std::string Quoted(const char* what, const std::string& text) {
  std::string message(what);
  message.append(1, '\'').append(text).append(1, '\'');
  return message;
}

}  // namespace

bool WildcardMatch(std::string_view mask, std::string_view name) {
  if (mask == "*.*" || mask == "*") return true;
  if (GlobMatch(mask, name)) return true;
  if (mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos) {
    return GlobMatch(mask.substr(0, mask.size() - 2), name);
  }
  return false;
}

Status FindFiles(const Machine& machine, const std::string& pattern,
                 std::vector<FolderEntry>* found) {
  found->clear();
  size_t cut = pattern.find_last_of(pattern.empty() || pattern[0] == '/' ? "/" : "\\/");
  if (cut == std::string::npos) {
    return Status::InvalidArgument(Quoted("search without a folder: ", pattern));
  }
  std::string mask = cut + 1 < pattern.size() ? pattern.substr(cut + 1) : std::string(1, '*');
  PathParts parts;
  Status status = SplitPath(machine, pattern.substr(0, cut + 1), &parts);
  if (!status.ok()) return status;
  WalkedPath walked = WalkPath(parts);
  if (!walked.complete) return Status::NotFound(Quoted("no folder for ", pattern));
  std::shared_ptr<const FolderListing> listing;
  status = ListFolder(walked.hostPath, &listing);
  if (!status.ok()) return status;
  if (!HasWildcards(mask)) {
    if (const FolderEntry* entry = listing->Find(mask)) found->push_back(*entry);
    return Status::Ok();
  }
  for (const FolderEntry& entry : listing->entries()) {
    if (WildcardMatch(mask, entry.name) || WildcardMatch(mask, entry.shortName)) {
      found->push_back(entry);
    }
  }
  return Status::Ok();
}

}  // namespace qv::fs
