#include "support/windows_installation.h"

#include <gtest/gtest.h>
#include <hivex.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/registry/hive.h"
#include "platform/registry/hive_reader.h"
#include "platform/registry/name_compare.h"
#include "support/regf_writer.h"

namespace qv::test {
namespace {

using registry::Hive;
using registry::Value;

constexpr const char* kCurrentVersion = "Microsoft\\Windows\\CurrentVersion";
constexpr const char* kShellFolders = "Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kUserShellFolders =
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kProfileList = "Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

Value Expandable(const std::string& text) {
  return Value::Text(text, registry::kExpandText);
}

// Adds the keys and values of a Wine-format text to hive, below prefix when given.
void Merge(const std::string& text, const char* what, Hive* hive) {
  if (text.empty()) return;
  Status s = registry::ParseHive(text, what, hive, [&](const Status& problem) {
    ADD_FAILURE() << what << ": " << problem.message();
  });
  EXPECT_TRUE(s.ok()) << s.ToString();
}

// Adds every key of hive (parents first) and its values through libhivex, then commits.
void FillThroughHivex(const std::string& path, const Hive& hive) {
  ASSERT_TRUE(std::filesystem::exists(path) || RegfWriter().Write(path)) << path;
  std::unique_ptr<hive_h, decltype(&hivex_close)> h(hivex_open(path.c_str(), HIVEX_OPEN_WRITE),
                                                    &hivex_close);
  ASSERT_TRUE(h) << path << ": libhivex cannot open the empty hive";
  for (const auto& [folded, key] : hive.keys()) {
    hive_node_h node = hivex_root(h.get());
    size_t start = 0;
    while (start < key.path.size()) {
      size_t end = key.path.find('\\', start);
      if (end == std::string::npos) end = key.path.size();
      const std::string name = key.path.substr(start, end - start);
      hive_node_h child = hivex_node_get_child(h.get(), node, name.c_str());
      if (child == 0) child = hivex_node_add_child(h.get(), node, name.c_str());
      ASSERT_NE(child, 0u) << path << ": libhivex cannot add " << key.path;
      node = child;
      start = end + 1;
    }
    std::vector<std::string> names;
    std::vector<std::string> bytes;
    for (const auto& [name, value] : key.values()) {
      names.push_back(name);
      bytes.push_back(value.StoredBytes());
    }
    std::vector<hive_set_value> set(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
      set[i].key = names[i].data();
      set[i].t = static_cast<hive_type>(key.values()[i].second.type);
      set[i].len = bytes[i].size();
      set[i].value = bytes[i].data();
    }
    ASSERT_EQ(hivex_node_set_values(h.get(), node, set.size(), set.data(), 0), 0)
        << path << ": libhivex cannot set the values of " << key.path;
  }
  ASSERT_EQ(hivex_commit(h.get(), nullptr, 0), 0) << path << ": libhivex cannot commit";
}

void Write(const std::string& path, const Hive& hive) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::filesystem::remove(path);
  FillThroughHivex(path, hive);
}

Hive SoftwareHive(const WindowsInstallationOptions& options) {
  Hive hive;
  const std::string root = options.systemRoot;
  hive.SetValue("Microsoft\\Windows NT\\CurrentVersion", "SystemRoot", Value::Text(root));
  hive.SetValue("Microsoft\\Windows NT\\CurrentVersion", "ProductName",
                Value::Text("Windows 10 Pro"));
  hive.SetValue(kCurrentVersion, "ProgramFilesDir", Value::Text("C:\\Program Files"));
  hive.SetValue(kCurrentVersion, "ProgramFilesDir (x86)", Value::Text("C:\\Program Files (x86)"));
  hive.SetValue(kCurrentVersion, "CommonFilesDir", Value::Text("C:\\Program Files\\Common Files"));
  hive.SetValue(kCurrentVersion, "CommonFilesDir (x86)",
                Value::Text("C:\\Program Files (x86)\\Common Files"));
  hive.SetValue(kShellFolders, "Common AppData", Value::Text("C:\\ProgramData"));
  hive.SetValue(kUserShellFolders, "Common AppData", Expandable("%ProgramData%"));
  hive.SetValue(kUserShellFolders, "Common Desktop", Expandable("%PUBLIC%\\Desktop"));
  hive.SetValue(kProfileList, "ProfilesDirectory", Expandable("%SystemDrive%\\Users"));
  hive.SetValue(kProfileList, "ProgramData", Expandable("%SystemDrive%\\ProgramData"));
  hive.SetValue(kProfileList, "Public", Expandable("%SystemDrive%\\Users\\Public"));
  const std::pair<const char*, const char*> system[] = {
      {"S-1-5-18", "%systemroot%\\system32\\config\\systemprofile"},
      {"S-1-5-19", "%systemroot%\\ServiceProfiles\\LocalService"},
      {"S-1-5-20", "%systemroot%\\ServiceProfiles\\NetworkService"},
  };
  for (const auto& [sid, folder] : system) {
    const std::string key = std::string(kProfileList) + "\\" + sid;
    hive.SetValue(key, "ProfileImagePath", Expandable(folder));
    hive.SetValue(key, "Flags", Value::Dword(12));
    // The system profile is loaded at every start, later than any user's.
    hive.SetValue(key, "LocalProfileLoadTimeHigh", Value::Dword(0x7FFFFFFF));
    hive.SetValue(key, "LocalProfileLoadTimeLow", Value::Dword(0));
  }
  for (const WindowsProfile& p : options.profiles) {
    const std::string key = std::string(kProfileList) + "\\" + p.sid;
    hive.SetValue(key, "ProfileImagePath", Expandable("C:\\Users\\" + p.name));
    hive.SetValue(key, "Flags", Value::Dword(0));
    hive.SetValue(key, "State", Value::Dword(0));
    const std::pair<const char*, uint64_t> times[] = {{"LocalProfileLoadTime", p.loadTime},
                                                      {"LocalProfileUnloadTime", p.unloadTime}};
    for (const auto& [name, time] : times) {
      if (time == 0) continue;
      hive.SetValue(key, std::string(name) + "High",
                    Value::Dword(static_cast<uint32_t>(time >> 32)));
      hive.SetValue(key, std::string(name) + "Low", Value::Dword(static_cast<uint32_t>(time)));
    }
  }
  return hive;
}

Hive SystemHive(const WindowsInstallationOptions& options) {
  Hive hive;
  hive.SetValue("Select", "Current", Value::Dword(options.currentControlSet));
  hive.SetValue("Select", "Default", Value::Dword(options.currentControlSet));
  hive.SetValue("Select", "LastKnownGood", Value::Dword(2));
  const std::pair<const char*, const char*> sets[] = {{"ControlSet001", "%SystemRoot%\\TEMP"},
                                                      {"ControlSet002", "%SystemRoot%\\Temp2"}};
  for (const auto& [set, temp] : sets) {
    const std::string env = std::string(set) + "\\Control\\Session Manager\\Environment";
    hive.SetValue(env, "TEMP", Expandable(temp));
    hive.SetValue(env, "windir", Expandable("%SystemRoot%"));
  }
  return hive;
}

Hive UserHive(const WindowsProfile& p) {
  Hive hive;
  const std::string profile = "C:\\Users\\" + p.name;
  hive.SetValue("Environment", "TEMP", Expandable("%USERPROFILE%\\AppData\\Local\\Temp"));
  hive.SetValue("Environment", "TMP", Expandable("%USERPROFILE%\\AppData\\Local\\Temp"));
  const std::string shell = std::string("Software\\") + kShellFolders;
  const std::string userShell = std::string("Software\\") + kUserShellFolders;
  const std::pair<const char*, const char*> folders[] = {
      {"AppData", "AppData\\Roaming"},
      {"Local AppData", "AppData\\Local"},
      {"Desktop", "Desktop"},
      {"Personal", "Documents"},
      {"Programs", "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
      {"Start Menu", "AppData\\Roaming\\Microsoft\\Windows\\Start Menu"},
  };
  for (const auto& [name, sub] : folders) {
    hive.SetValue(shell, name, Value::Text(profile + "\\" + sub));
    hive.SetValue(userShell, name, Expandable(std::string("%USERPROFILE%\\") + sub));
  }
  // Only the expandable form is kept for this one, as after a folder was redirected.
  hive.SetValue(userShell, "Favorites", Expandable("%USERPROFILE%\\Favorites"));
  return hive;
}

}  // namespace

void WriteHiveThroughHivex(const std::string& path, const std::string& text) {
  Hive hive;
  Merge(text, path.c_str(), &hive);
  Write(path, hive);
}

std::string ConfigHivePath(const std::string& installation, const std::string& name) {
  return installation + "/Windows/System32/config/" + name;
}

std::string WriteWindowsInstallation(const TempDir& dir, const std::string& relative,
                                     const WindowsInstallationOptions& options) {
  const std::string root = dir.Sub(relative);
  for (const char* folder : {"Windows/System32/config", "Windows/Installer", "Windows/Temp",
                             "Program Files", "Program Files (x86)", "ProgramData"}) {
    std::filesystem::create_directories(root + "/" + folder);
  }
  Hive software = SoftwareHive(options);
  Hive system = SystemHive(options);
  Hive extra;
  Merge(options.machine, "test machine content", &extra);
  for (const auto& [folded, key] : extra.keys()) {
    const size_t slash = key.path.find('\\');
    const std::string top = key.path.substr(0, slash);
    Hive* target = registry::SameName(top, "Software") ? &software
                   : registry::SameName(top, "System") ? &system
                                                       : nullptr;
    if (target == nullptr) {
      ADD_FAILURE() << "test machine content: " << key.path << " is in neither hive";
      continue;
    }
    const std::string below = slash == std::string::npos ? "" : key.path.substr(slash + 1);
    if (below.empty()) continue;
    target->CreateKey(below);
    for (const auto& [name, value] : key.values()) target->SetValue(below, name, value);
  }
  Write(ConfigHivePath(root, "SOFTWARE"), software);
  Write(ConfigHivePath(root, "SYSTEM"), system);
  for (const WindowsProfile& p : options.profiles) {
    const std::string profile = root + "/Users/" + p.name;
    std::filesystem::create_directories(profile + "/AppData/Local/Temp");
    if (p.writeUserHive) {
      Hive user = UserHive(p);
      Merge(p.user, "test user content", &user);
      Write(profile + "/NTUSER.DAT", user);
    }
    if (p.writeClassesHive) {
      Hive classes;
      Merge(p.classes, "test classes content", &classes);
      Write(profile + "/AppData/Local/Microsoft/Windows/UsrClass.dat", classes);
    }
  }
  return root;
}

std::string CacheInstallerPackage(const std::string& installation, const std::string& hostPath,
                                  const std::string& name) {
  std::error_code ec;
  std::filesystem::copy_file(hostPath, installation + "/Windows/Installer/" + name,
                             std::filesystem::copy_options::overwrite_existing, ec);
  EXPECT_FALSE(ec) << hostPath << ": " << ec.message();
  return "C:\\Windows\\Installer\\" + name;
}

}  // namespace qv::test
