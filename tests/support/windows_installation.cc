#include "support/windows_installation.h"

#include <gtest/gtest.h>
#include <hivex.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "platform/registry/hive.h"
#include "support/data_rows.h"
#include "support/regf_writer.h"
#include "support/test_machine.h"

namespace qv::test {
namespace {

using registry::Hive;
using registry::Value;

// The hive text tests/data/registry/windows/<name>.reg holds.
Hive Template(const std::string& name) {
  Hive hive;
  const std::string file = "registry/windows/" + name + ".reg";
  MergeHiveText(DataFile(file), file.c_str(), &hive);
  return hive;
}

// Writes an empty hive at path and adds every key of hive (parents first) and its values
// through libhivex.
void Write(const std::string& path, const Hive& hive) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  ASSERT_TRUE(RegfWriter().Write(path)) << path;
  std::unique_ptr<hive_h, decltype(&hivex_close)> h(hivex_open(path.c_str(), HIVEX_OPEN_WRITE),
                                                    &hivex_close);
  ASSERT_TRUE(h) << path << ": libhivex cannot open the empty hive";
  for (const auto& [folded, key] : hive.keys()) {
    hive_node_h node = hivex_root(h.get());
    for (size_t start = 0; start < key.path.size();) {
      const size_t end = std::min(key.path.find('\\', start), key.path.size());
      const std::string name = key.path.substr(start, end - start);
      hive_node_h child = hivex_node_get_child(h.get(), node, name.c_str());
      node = child != 0 ? child : hivex_node_add_child(h.get(), node, name.c_str());
      ASSERT_NE(node, 0u) << path << ": libhivex cannot add " << key.path;
      start = end + 1;
    }
    std::vector<std::string> bytes;
    bytes.reserve(key.values().size());  // the values below point into these
    std::vector<hive_set_value> set;
    for (const auto& [name, value] : key.values()) {
      std::string& stored = bytes.emplace_back(value.StoredBytes());
      set.push_back({const_cast<char*>(name.c_str()), static_cast<hive_type>(value.type),
                     stored.size(), stored.data()});
    }
    ASSERT_EQ(hivex_node_set_values(h.get(), node, set.size(), set.data(), 0), 0)
        << path << ": libhivex cannot set the values of " << key.path;
  }
  ASSERT_EQ(hivex_commit(h.get(), nullptr, 0), 0) << path << ": libhivex cannot commit";
}

Hive SoftwareHive(const WindowsInstallationOptions& options) {
  Hive hive = Template("software");
  hive.SetValue("Microsoft\\Windows NT\\CurrentVersion", "SystemRoot",
                Value::Text(options.systemRoot));
  for (const WindowsProfile& p : options.profiles) {
    const std::string key = "Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\" + p.sid;
    hive.SetValue(key, "ProfileImagePath",
                  Value::Text("C:\\Users\\" + p.name, registry::kExpandText));
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

}  // namespace

void WriteHiveThroughHivex(const std::string& path, const std::string& text) {
  Hive hive;
  MergeHiveText(text, path.c_str(), &hive);
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
  Hive system = Template("system");
  system.SetValue("Select", "Current", Value::Dword(options.currentControlSet));
  Write(ConfigHivePath(root, "SOFTWARE"), SoftwareHive(options));
  Write(ConfigHivePath(root, "SYSTEM"), system);
  for (const WindowsProfile& p : options.profiles) {
    const std::string profile = root + "/Users/" + p.name;
    std::filesystem::create_directories(profile + "/AppData/Local/Temp");
    if (p.writeUserHive) {
      Hive user = Template("user");
      MergeHiveText(p.user, "test user content", &user);
      Write(profile + "/NTUSER.DAT", user);
    }
    Hive classes;
    MergeHiveText(p.classes, "test classes content", &classes);
    Write(profile + "/AppData/Local/Microsoft/Windows/UsrClass.dat", classes);
  }
  return root;
}

}  // namespace qv::test
