// A Windows installation on disk as the machine: hives, folders, the user, and what is wrong
// with real disks.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

#include "platform/machine/machine.h"
#include "platform/machine/machine_profiles.h"
#include "platform/machine/machine_registry.h"
#include "support/regf_writer.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"
#include "support/windows_installation.h"

namespace qv {
namespace {

constexpr auto Get = &test::RegistryText;

using test::Messages;
using test::WindowsInstallationOptions;
using test::WindowsProfile;

constexpr uint64_t kDay = 864000000000ULL;  // one day in FILETIME units
constexpr uint64_t kJan2026 = 134118144000000000ULL;

// text with every "<root>" replaced by root.
std::string AtRoot(std::string text, const std::string& root) {
  for (size_t at; (at = text.find("<root>")) != std::string::npos;) text.replace(at, 6, root);
  return text;
}

class MachineWindowsTest : public ::testing::Test {
 protected:
  void TearDown() override { SetCurrentMachine(nullptr); }

  // Loads the machine the environment names, with QUORVEX_WINDOWS set to installation.
  std::shared_ptr<const Machine> Load(const std::string& installation, Status* status,
                                      const std::string& user = "") {
    test::ScopedEnv env;
    env.Set("QUORVEX_WINDOWS", installation);
    env.Set("QUORVEX_WINDOWS_USER", user.empty() ? std::nullopt : std::optional(user));
    std::shared_ptr<const Machine> machine = LoadMachineFromEnvironment(status);
    SetCurrentMachine(machine);
    return machine;
  }
  // The same, failing the test when the installation is refused.
  std::shared_ptr<const Machine> LoadOk(const std::string& installation,
                                        const std::string& user = "") {
    Status status;
    std::shared_ptr<const Machine> machine = Load(installation, &status, user);
    EXPECT_TRUE(status.ok()) << status.ToString();
    return machine;
  }

  test::IsolatedHome m_home;
  test::TempDir m_dir;
};

TEST_F(MachineWindowsTest, InstallationIsTheMachineOrSaysWhyNot) {
  WindowsInstallationOptions installation;
  installation.profiles = {WindowsProfile{"ann", "S-1-5-21-1-2-3-1001", kJan2026}};
  installation.profiles[0].classes = "WINE REGISTRY Version 2\n[.quorvex] 0\n@=\"Quorvex.File\"\n";
  const std::string installed = test::WriteWindowsInstallation(m_dir, "win", installation);
  // QUORVEX_WINDOWS comes before WINEPREFIX.
  test::ScopedEnv wine;
  wine.Set("WINEPREFIX", m_dir.Sub("no-such-prefix"));
  std::shared_ptr<const Machine> machine = LoadOk(installed);
  EXPECT_EQ(machine->drives, (std::map<char, std::string>{{'C', installed}, {'Z', "/"}}));
  EXPECT_EQ(std::tuple(machine->windowsDir, machine->systemDir, machine->tempDir, machine->userName,
                       machine->userSid),
            std::tuple("C:\\Windows", "C:\\Windows\\system32",
                       "C:\\Users\\ann\\AppData\\Local\\Temp\\", "ann", "S-1-5-21-1-2-3-1001"));
  EXPECT_EQ(std::tuple(machine->windowsInstallation, machine->winePrefix, machine->storeDir),
            std::tuple(installed, "", m_home.ConfigHome() + "/quorvex"));
  EXPECT_EQ(MachineKindText(*machine), "Windows installation " + installed);
  EXPECT_EQ(Messages(MachineProblems(*machine)), std::vector<std::string>{});
  const std::string config = installed + "/Windows/System32/config/";
  const std::string profile = installed + "/Users/ann/";
  std::vector<std::tuple<std::string, std::string, bool>> origins;
  for (const HiveOrigin& o : machine->hiveOrigins)
    origins.emplace_back(o.key, o.source, o.imported);
  EXPECT_EQ(origins,
            (std::vector<std::tuple<std::string, std::string, bool>>{
                {"HKLM\\SOFTWARE", config + "SOFTWARE", false},
                {"HKLM\\SYSTEM", config + "SYSTEM", false},
                {"HKLM\\SYSTEM\\CurrentControlSet", config + "SYSTEM (ControlSet001)", false},
                {"HKCU", profile + "NTUSER.DAT", false},
                {"HKCU\\Software\\Classes",
                 profile + "AppData/Local/Microsoft/Windows/UsrClass.dat", false}}));

  EXPECT_EQ(Get("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot"),
            "C:\\Windows");
  EXPECT_EQ(Get("HKCU\\Software\\Classes\\.quorvex", ""), "Quorvex.File");
  EXPECT_EQ(CurrentRegistry().SubkeyNames("HKLM"),
            (std::vector<std::string>{"SOFTWARE", "SYSTEM"}));
  // The shell folders Windows derives from User Shell Folders where the hives keep none.
  EXPECT_EQ(Get("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                "Common Desktop"),
            "C:\\Users\\Public\\Desktop");
  // Settings go to the store, never into the hives.
  const std::string before = test::ReadFile(profile + "NTUSER.DAT");
  ASSERT_TRUE(CurrentRegistry()
                  .SetValue("HKCU\\Software\\Dunar\\Quorvex", "Last", registry::Value::Text("x"))
                  .ok());
  EXPECT_EQ(Get("HKCU\\Software\\Dunar\\Quorvex", "Last"), "x");
  EXPECT_EQ(test::ReadFile(profile + "NTUSER.DAT"), before);
  EXPECT_NE(test::ReadFile(m_home.ConfigHome() + "/quorvex/user.reg").find("Quorvex"),
            std::string::npos);
  // Folders are found without regard to case: their own spelling differs from the one
  // SystemRoot gives, which Windows answers.
  installation = {};
  installation.systemRoot = "C:\\WINDOWS";
  const std::string upper = test::WriteWindowsInstallation(m_dir, "upper", installation);
  std::filesystem::rename(upper + "/Windows", upper + "/windows");
  std::filesystem::rename(upper + "/windows/System32/config/SOFTWARE",
                          upper + "/windows/System32/config/software");
  std::filesystem::rename(upper + "/Users/tester/NTUSER.DAT", upper + "/Users/tester/ntuser.dat");
  machine = LoadOk(upper);
  EXPECT_EQ(machine->windowsDir, "C:\\WINDOWS");
  EXPECT_EQ(machine->hiveOrigins[0].source, upper + "/windows/System32/config/software");
  EXPECT_EQ(machine->hiveOrigins[3].source, upper + "/Users/tester/ntuser.dat");
  // Select\Current, the TEMP of HKLM\SYSTEM\CurrentControlSet, the machine's temp folder when
  // the user names none, the problem.
  const std::tuple<uint32_t, const char*, const char*, const char*> cases[] = {
      {2, "%SystemRoot%\\Temp2", "C:\\Windows\\Temp2\\", ""},
      {3, "<absent>", "C:\\Users\\tester\\AppData\\Local\\Temp\\",
       ": Select\\Current names ControlSet003, which it does not hold; "
       "HKLM\\SYSTEM\\CurrentControlSet is left out"},
  };
  for (const auto& [set, temp, tempDir, problem] : cases) {
    test::TempDir dir;
    WindowsInstallationOptions options;
    options.currentControlSet = set;
    options.profiles[0].user =
        "WINE REGISTRY Version 2\n[Environment] 0\n\"TEMP\"=-\n";  // no TEMP of its own
    const std::string root = test::WriteWindowsInstallation(dir, "win", options);
    std::shared_ptr<const Machine> m = LoadOk(root);
    EXPECT_EQ(Get("HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\Environment", "TEMP"),
              temp);
    EXPECT_EQ(m->tempDir, tempDir) << set;
    EXPECT_EQ(Messages(m->hiveProblems),
              *problem ? std::vector<std::string>{test::ConfigHivePath(root, "SYSTEM") + problem}
                       : std::vector<std::string>{});
  }
  // The user is the one named, else the one who used the machine last.
  const WindowsProfile ann{"ann", "S-1-5-21-9-9-9-1001", kJan2026, kJan2026 + 5 * kDay};
  const WindowsProfile bob{"bob", "S-1-5-21-9-9-9-1002", kJan2026 + 3 * kDay};
  WindowsProfile gone{"gone", "S-1-5-21-9-9-9-1003", kJan2026 + 9 * kDay};
  gone.writeUserHive = false;  // a profile whose folder was deleted
  const WindowsProfile azure{"cloud", "S-1-12-1-1-2-3-4", kJan2026 + 4 * kDay};
  const WindowsProfile old1{"old1", "S-1-5-21-9-9-9-1004", 0};
  const WindowsProfile old2{"old2", "S-1-5-21-9-9-9-1005", 0};
  struct Case {
    std::vector<WindowsProfile> profiles;
    std::string user;
    std::string chosen;
  };
  const Case users[] = {
      {{ann, bob, gone}, "", "ann"},  // ann logged off after bob logged on
      {{bob, azure}, "", "cloud"},
      {{ann, bob}, "BOB", "bob"},
      {{ann, bob}, "s-1-5-21-9-9-9-1002", "bob"},
      {{old1, old2}, "", "old2"},  // no times: the user hive written last
  };
  for (const Case& c : users) {
    test::TempDir dir;
    WindowsInstallationOptions options;
    options.profiles = c.profiles;
    const std::string root = test::WriteWindowsInstallation(dir, "win", options);
    if (c.chosen == "old2") {  // old1's hive was written a day before
      const std::string old1 = root + "/Users/old1/NTUSER.DAT";
      std::filesystem::last_write_time(
          old1, std::filesystem::last_write_time(old1) - std::chrono::hours(24));
    }
    std::shared_ptr<const Machine> m = LoadOk(root, c.user);
    EXPECT_EQ(m->userName, c.chosen) << c.user;
    EXPECT_EQ(Get("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                  "Desktop"),
              "C:\\Users\\" + c.chosen + "\\Desktop");
  }
  // What keeps a folder from being used as the machine: the status says it, and the machine is
  // the built-in profile.
  struct Refusal {
    std::function<void(const std::string& root)> damage;
    std::string user;
    std::string message;  // "<root>" stands for the installation's folder
  };
  const auto remove = [](const char* below) {
    return [below](const std::string& root) { std::filesystem::remove_all(root + below); };
  };
  const Refusal refusals[] = {
      {remove(""), "", "QUORVEX_WINDOWS <root>: no such folder"},
      {[](const std::string& root) {
         std::filesystem::remove_all(root);
         std::ofstream(root) << "x";
       },
       "", "QUORVEX_WINDOWS <root>: not a folder"},
      {remove("/Windows"), "",
       "QUORVEX_WINDOWS <root>: not a Windows installation (it holds no "
       "Windows\\System32\\config\\SOFTWARE)"},
      {[](const std::string& root) {
         std::ofstream(test::ConfigHivePath(root, "SOFTWARE")) << "WINE REGISTRY Version 2\n";
       },
       "", "<root>/Windows/System32/config/SOFTWARE: not a registry hive file"},
      {remove("/Windows/System32/config/SYSTEM"), "",
       "<root>/Windows/System32/config/SYSTEM: no such file"},
      {[](const std::string&) {}, "zed",
       "QUORVEX_WINDOWS_USER zed: no user profile of that name in <root> (profiles: tester)"},
      {remove("/Users/tester/NTUSER.DAT"), "",
       "QUORVEX_WINDOWS <root>: no user profile with a user hive (NTUSER.DAT) in it "
       "(profiles: tester)"},
      {remove("/Users/tester/NTUSER.DAT"), "tester",
       "<root>/Users/tester/NTUSER.DAT: no such file"},
  };
  for (const Refusal& c : refusals) {
    test::TempDir dir;
    const std::string root = test::WriteWindowsInstallation(dir, "win");
    c.damage(root);
    Status status;
    std::shared_ptr<const Machine> m = Load(root, &status, c.user);
    EXPECT_EQ(status.message(), AtRoot(c.message, root));
    EXPECT_EQ(m->windowsInstallation, "") << c.message;
  }
  // What is read around, each with the problem start-up reports.
  const std::string classes = "/Users/tester/AppData/Local/Microsoft/Windows/UsrClass.dat";
  const std::string dirty =
      ": the hive is dirty (Windows did not finish writing it; its transaction logs are "
      "missing): it is read as it is, and its data may be stale";
  const std::pair<std::function<void(const std::string& root)>, std::string> readAround[] = {
      {[](const std::string& root) {
         const std::string hive = test::ConfigHivePath(root, "SOFTWARE");
         ASSERT_TRUE(test::SetHiveSequenceNumbers(hive, 12, 11));
         std::ofstream(hive + ".LOG1") << "log";
         std::ofstream(hive + ".LOG2") << "log";
       },
       "<root>/Windows/System32/config/SOFTWARE: the hive is dirty (Windows did not finish "
       "writing it; its last changes are in SOFTWARE.LOG1 and SOFTWARE.LOG2, which are not "
       "replayed here): it is read as it is, and its data may be stale"},
      {[](const std::string& root) {
         ASSERT_TRUE(test::SetHiveSequenceNumbers(root + "/Users/tester/NTUSER.DAT", 3, 2));
       },
       "<root>/Users/tester/NTUSER.DAT" + dirty},
      {[&](const std::string& root) { std::filesystem::remove(root + classes); },
       "<root>" + classes +
           ": no such file; HKCU\\Software\\Classes holds only what NTUSER.DAT holds"},
  };
  for (const auto& [damage, problem] : readAround) {
    test::TempDir dir;
    const std::string root = test::WriteWindowsInstallation(dir, "win");
    damage(root);
    std::shared_ptr<const Machine> m = LoadOk(root);
    EXPECT_EQ(Messages(MachineProblems(*m)), std::vector<std::string>{AtRoot(problem, root)});
    EXPECT_EQ(Get("HKCU\\Environment", "TEMP"), "%USERPROFILE%\\AppData\\Local\\Temp") << problem;
  }
}

}  // namespace
}  // namespace qv
