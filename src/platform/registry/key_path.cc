#include "platform/registry/key_path.h"

#include <vector>

#include "platform/registry/name_compare.h"

namespace qv::registry {
namespace {

struct RootEntry {
  const char* shortName;
  const char* longName;
  Root root;
};

constexpr RootEntry kRoots[] = {
    {"HKLM", "HKEY_LOCAL_MACHINE", Root::kLocalMachine},
    {"HKCU", "HKEY_CURRENT_USER", Root::kCurrentUser},
    {"HKCR", "HKEY_CLASSES_ROOT", Root::kClassesRoot},
    {"HKU", "HKEY_USERS", Root::kUsers},
};

}  // namespace

KeyPath ParseKeyPath(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  KeyPath key;
  size_t first = 0;
  bool rooted = false;
  if (!parts.empty()) {
    for (const RootEntry& r : kRoots) {
      if (SameName(parts[0], r.shortName) || SameName(parts[0], r.longName)) {
        key.root = r.root;
        rooted = true;
        first = 1;
        break;
      }
    }
  }
  if (!rooted) key.path = "Software";
  for (size_t i = first; i < parts.size(); ++i) key.path = JoinKeyPath(key.path, parts[i]);
  return key;
}

const char* RootName(Root root) {
  for (const RootEntry& r : kRoots) {
    if (r.root == root) return r.shortName;
  }
  return "";
}

std::string JoinKeyPath(const std::string& path, const std::string& component) {
  if (path.empty()) return component;
  if (component.empty()) return path;
  return path + "\\" + component;
}

}  // namespace qv::registry
