// Drive C of the built-in machine, seen through the file-system view.

#include <gtest/gtest.h>

#include "platform/fs/win32_paths.h"
#include "platform/machine/machine.h"
#include "platform/registry/hive_source.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

std::string Short(const std::string& path) {
  std::string buffer;
  return GetShortPathNameA(path, &buffer, 256) ? buffer : "<none>";
}

// The folders were made in Windows' order, so they have the short names Windows gives them,
// and every folder the machine's registry names is there.
TEST(BuiltinDriveCTest, FoldersOfTheRegistryExistWithWindowsShortNames) {
  test::IsolatedHome home;
  test::ScopedEnv env;
  env.Set("USER", "ann");
  Status status;
  SetCurrentMachine(LoadMachineFromEnvironment(&status));
  EXPECT_TRUE(status.ok()) << status.ToString();
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Program Files", "C:\\PROGRA~1"},
      {"C:\\Program Files (x86)", "C:\\PROGRA~2"},
      {"C:\\ProgramData", "C:\\PROGRA~3"},
      {"C:\\Program Files (x86)\\Common Files", "C:\\PROGRA~2\\COMMON~1"},
  };
  for (const auto& [path, shortPath] : cases) EXPECT_EQ(Short(path), shortPath) << path;
  const Machine& machine = CurrentMachine();
  const char* shellFolders =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  std::vector<std::string> folders = {machine.windowsDir, machine.systemDir, machine.tempDir};
  for (const auto* hive : {machine.userHive.get(), machine.machineHive.get()}) {
    for (const auto& [name, value] : hive->Values(shellFolders)) folders.push_back(value.data);
  }
  for (const char* key : {"Software\\Microsoft\\Windows\\CurrentVersion",
                          "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion"}) {
    for (const auto& [name, value] : machine.machineHive->Values(key)) {
      folders.push_back(value.data);
    }
  }
  EXPECT_GT(folders.size(), 20u);
  for (const std::string& folder : folders) {
    std::string buffer;
    EXPECT_GT(GetLongPathNameA(folder, &buffer, 256), 0u) << folder;
  }
  SetCurrentMachine(nullptr);
}

}  // namespace
}  // namespace qv
