#include "platform/machine/windows_profiles.h"

#include <algorithm>

#include "platform/registry/name_compare.h"

namespace qv {
namespace {

bool IsPersonsSid(const std::string& sid) {
  const std::string folded = registry::FoldName(sid);
  return folded.rfind("S-1-5-21-", 0) == 0 || folded.rfind("S-1-12-1-", 0) == 0;
}

// A DWORD value of key; 0 when absent or of another type.
uint64_t Dword(const registry::HiveSource& hive, const std::string& key, const char* name) {
  registry::Value v;
  if (!hive.ReadValue(key, name, &v) || v.type != registry::kDword) return 0;
  return v.Number() & 0xFFFFFFFFu;
}

uint64_t FileTime(const registry::HiveSource& hive, const std::string& key, const char* prefix) {
  const std::string high = std::string(prefix) + "High";
  const std::string low = std::string(prefix) + "Low";
  return Dword(hive, key, high.c_str()) << 32 | Dword(hive, key, low.c_str());
}

std::string Text(const registry::HiveSource& hive, const std::string& key, const std::string& name,
                 const Environment& env) {
  registry::Value v;
  if (!hive.ReadValue(key, name, &v) ||
      (v.type != registry::kText && v.type != registry::kExpandText)) {
    return "";
  }
  std::string text = ExpandEnvironmentText(v.data.substr(0, v.data.find('\0')), env);
  while (text.size() > 3 && text.back() == '\\') text.pop_back();
  return text;
}

}  // namespace

std::string WindowsProfileEntry::Name() const {
  const size_t slash = folder.find_last_of('\\');
  return slash == std::string::npos ? folder : folder.substr(slash + 1);
}

std::vector<WindowsProfileEntry> ReadUserProfiles(const registry::HiveSource& software,
                                                  const Environment& env) {
  std::vector<WindowsProfileEntry> profiles;
  for (const std::string& sid : software.SubkeyNames(kProfileListKey)) {
    if (!IsPersonsSid(sid)) continue;
    const std::string key = std::string(kProfileListKey) + "\\" + sid;
    WindowsProfileEntry entry;
    entry.sid = sid;
    entry.folder = Text(software, key, "ProfileImagePath", env);
    if (entry.folder.empty()) continue;
    entry.lastUsed = std::max(FileTime(software, key, "LocalProfileLoadTime"),
                              FileTime(software, key, "LocalProfileUnloadTime"));
    profiles.push_back(std::move(entry));
  }
  return profiles;
}

std::string ProfileListFolder(const registry::HiveSource& software, const std::string& name,
                              const Environment& env) {
  return Text(software, kProfileListKey, name, env);
}

}  // namespace qv
