#include "platform/machine/machine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "platform/machine/machine_profiles.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv {
namespace {

// The folders and names of a machine, to compare at once.
auto Folders(const Machine& m) {
  return std::tuple(m.windowsDir, m.systemDir, m.tempDir, m.userName, m.storeDir, m.winePrefix);
}

const char kSystemReg[] =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
    "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1796478104\n"
    "#time=1d8c5e3a2b4c6d0\n\"SystemRoot\"=\"C:\\\\windows\"\n";
const char kUserReg[] =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-1-2-3-1000\n\n"
    "[Environment] 1796478104\n"
    "\"TEMP\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Local\\\\Temp\"\n";

TEST(MachineTest, BuiltinProfileAndWinePrefixGiveTheirFoldersWindowsFormsAndBufferRules) {
  test::IsolatedHome home;
  test::ScopedEnv env;
  env.Set("USER", "ann");
  Status status = Status::IOError("unset");
  std::shared_ptr<const Machine> m = LoadMachineFromEnvironment(&status);
  ASSERT_TRUE(status.ok()) << status.ToString();
  EXPECT_EQ(m->drives.at('C'), home.DataHome() + "/quorvex/drive_c");
  EXPECT_EQ(m->drives.at('Z'), "/");
  EXPECT_EQ(Folders(*m), std::tuple("C:\\Windows", "C:\\Windows\\system32",
                                    "C:\\Users\\ann\\AppData\\Local\\Temp\\", "ann",
                                    home.ConfigHome() + "/quorvex", ""));
  // An unreadable Wine prefix gives an error and the built-in profile.
  const std::pair<std::function<void(const std::string& prefix)>, std::string> cases[] = {
      {[](const std::string& p) { std::filesystem::remove(p + "/system.reg"); },
       "<prefix>/system.reg: no such file"},
      {[](const std::string& p) { std::filesystem::remove(p + "/dosdevices/c:"); },
       "WINEPREFIX <prefix>: no drive c: in dosdevices"},
      {[](const std::string& p) { std::filesystem::remove_all(p); },
       "WINEPREFIX <prefix>: no such folder"},
      {[](const std::string& p) {
         std::filesystem::remove_all(p);
         std::ofstream(p) << "x";
       },
       "WINEPREFIX <prefix>: not a folder"},
  };
  for (const auto& [damage, message] : cases) {
    test::IsolatedHome damagedHome;
    const std::string prefix =
        test::WriteWinePrefix(damagedHome.dir(), "wine", kSystemReg, kUserReg);
    damage(prefix);
    env.Set("WINEPREFIX", prefix);
    Status refusal;
    std::shared_ptr<const Machine> builtin = LoadMachineFromEnvironment(&refusal);
    EXPECT_EQ(refusal.message(), message.substr(0, message.find("<prefix>")) + prefix +
                                     message.substr(message.find("<prefix>") + 8));
    EXPECT_EQ(std::tuple(builtin->winePrefix, builtin->windowsDir), std::tuple("", "C:\\Windows"));
  }
  // A Wine prefix gives drives, hives and folders.
  std::string prefix = test::WriteWinePrefix(home.dir(), "wine", kSystemReg, kUserReg);
  std::filesystem::create_symlink("/tmp", prefix + "/dosdevices/d:");
  std::filesystem::create_symlink("../drive_c", prefix + "/dosdevices/c::");  // a raw device
  env.Set("WINEPREFIX", prefix);
  m = LoadMachineFromEnvironment(&status);
  ASSERT_TRUE(status.ok()) << status.ToString();
  EXPECT_EQ(m->drives,
            (std::map<char, std::string>{{'C', prefix + "/drive_c"}, {'D', "/tmp"}, {'Z', "/"}}));
  EXPECT_EQ(Folders(*m), std::tuple("C:\\windows", "C:\\windows\\system32",
                                    "C:\\users\\ann\\AppData\\Local\\Temp\\", "ann",
                                    home.ConfigHome() + "/quorvex", prefix));
  EXPECT_EQ(m->userSid, "S-1-5-21-1-2-3-1000");
  registry::Value temp;
  ASSERT_TRUE(m->userHive->ReadValue("environment", "temp", &temp));
  EXPECT_EQ(temp.data, "%USERPROFILE%\\AppData\\Local\\Temp");
  // A prefix whose user hive has no TEMP, and no SID in its header.
  prefix = test::WriteWinePrefix(home.dir(), "bare", kSystemReg, "WINE REGISTRY Version 2\n");
  std::shared_ptr<Machine> bare =
      LoadWinePrefix(prefix, {home.DataHome(), home.ConfigHome(), "bob"}, &status);
  ASSERT_NE(bare, nullptr) << status.ToString();
  EXPECT_EQ(bare->tempDir, "C:\\users\\bob\\Temp\\");
  EXPECT_EQ(bare->userSid, kDefaultUserSid);
  // Host paths in Windows form use the longest drive prefix.
  Machine mapped;
  // D and H name the same folder: the first letter wins.
  mapped.drives = {
      {'C', "/home/ann/.wine/drive_c"}, {'D', "/home/ann"}, {'H', "/home/ann"}, {'Z', "/"}};
  const std::pair<const char*, const char*> forms[] = {
      {"/home/ann/pkgs/app.msi", "D:\\pkgs\\app.msi"},
      {"/home/ann/.wine/drive_c/Program Files/x", "C:\\Program Files\\x"},
      {"/home/ann/.wine/drive_c", "C:\\"},
      {"/home/annex/a", "Z:\\home\\annex\\a"},
      {"/usr//lib/", "Z:\\usr\\lib"},
      {"/", "Z:\\"},
  };
  for (const auto& [host, windows] : forms) {
    EXPECT_EQ(WindowsFormOfHostPath(mapped, host), windows) << host;
  }
  mapped.drives.erase('Z');
  EXPECT_EQ(WindowsFormOfHostPath(mapped, "/usr/lib"), "\\\\?\\unix\\usr\\lib");
  // Folder calls follow the buffer rules of Win32.
  test::ScopedTestMachine scoped;
  std::string buffer = "untouched";
  EXPECT_EQ(GetWindowsDirectoryA(&buffer, 10), 11u);  // "C:\Windows" needs 11 with its NUL
  EXPECT_EQ(buffer, "untouched");
  EXPECT_EQ(GetWindowsDirectoryA(&buffer, 11), 10u);
  EXPECT_EQ(buffer, "C:\\Windows");
  // The module file name is this test program in Windows form, cut to the buffer.
  std::string full;
  const uint32_t length = GetModuleFileNameA(&full, 1024);
  EXPECT_EQ(length, full.size());
  EXPECT_TRUE(full.starts_with("Z:\\") && full.ends_with("\\machine_tests")) << full;
  EXPECT_EQ(GetModuleFileNameA(&buffer, 5), 4u);
  EXPECT_EQ(buffer, full.substr(0, 4));
}

}  // namespace
}  // namespace qv
