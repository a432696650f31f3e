// Runs quorvex-cli machine on each kind of machine, and dirs on a Windows installation.

#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_runner.h"
#include "support/regf_writer.h"
#include "support/test_machine.h"
#include "support/windows_installation.h"

namespace qv {
namespace {

using test::Lines;
using test::RunCli;

const std::string kData = std::string(QV_TEST_DATA_DIR) + "/registry/wine_installer/";

class CliMachineTest : public ::testing::Test {
 protected:
  // The lines `machine` prints, after checking it succeeded.
  std::vector<std::string> Machine(std::string* err = nullptr) {
    const test::CliResult r = RunCli(m_dir, {"machine"});
    EXPECT_EQ(r.status, 0) << r.err;
    if (err != nullptr) *err = r.err;
    return Lines(r.out);
  }
  // The two product lines of `machine` on the Wine prefix holding the installer's registry.
  std::vector<std::string> WinePrefixProducts() {
    test::ScopedEnv env;
    env.Set("WINEPREFIX",
            test::WriteWinePrefix(m_dir, "prefix", test::ReadFile(kData + "system.reg"),
                                  test::ReadFile(kData + "user.reg")));
    const std::vector<std::string> lines = Machine();
    return {lines.end() - 3, lines.end() - 1};
  }

  test::IsolatedHome m_home;
  test::TempDir m_dir;
};

TEST_F(CliMachineTest, ShowsTheBuiltinProfile) {
  test::ScopedEnv env;
  env.Set("USER", "ann");
  std::string err;
  EXPECT_EQ(Machine(&err), (std::vector<std::string>{
                               "kind: built-in Windows 10 profile",
                               "drives: C: " + m_home.DataHome() + "/quorvex/drive_c, Z: /",
                               "Windows folder: C:\\Windows",
                               "system folder: C:\\Windows\\system32",
                               "temp folder: C:\\Users\\ann\\AppData\\Local\\Temp\\",
                               "user: ann (S-1-5-21-0-0-0-1000)",
                               "registry:",
                               "  HKLM\tbuilt-in",
                               "  HKCU\tbuilt-in",
                               "  settings\t" + m_home.ConfigHome() + "/quorvex",
                               "installed products: 0",
                               "advertised products: 0",
                               "problems: none",
                           }));
  EXPECT_EQ(err, "");
  EXPECT_EQ(RunCli(m_dir, {"machine", "extra"}).status, 2);
}

TEST_F(CliMachineTest, ShowsAWindowsInstallationWithItsProductsImportsAndProblems) {
  const std::vector<std::string> products = WinePrefixProducts();
  ASSERT_EQ(products.size(), 2u);
  EXPECT_NE(products[0], "installed products: 0");
  test::WindowsInstallationOptions options;
  options.machine = test::ReadFile(kData + "system.reg");
  options.profiles[0].user = test::ReadFile(kData + "user.reg");
  const std::string root = test::WriteWindowsInstallation(m_dir, "win", options);
  const std::string software = test::ConfigHivePath(root, "SOFTWARE");
  ASSERT_TRUE(test::SetHiveSequenceNumbers(software, 2, 1));
  const std::string customer = m_dir.Write(
      "customer.reg", "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CLASSES_ROOT\\.cust]\r\n");
  test::ScopedEnv env;
  env.Set("QUORVEX_WINDOWS", root);
  env.Set("QUORVEX_REGISTRY_IMPORT", customer + ":" + m_dir.Sub("lost.reg"));
  const std::string dirty = software +
                            ": the hive is dirty (Windows did not finish writing it; its "
                            "transaction logs are missing): it is read as it is, and its data "
                            "may be stale";
  const std::string lost = m_dir.Sub("lost.reg") + ": no such file";
  const std::string profile = root + "/Users/tester/";
  std::string err;
  std::vector<std::string> expected = {
      "kind: Windows installation " + root,
      "drives: C: " + root + ", Z: /",
      "Windows folder: C:\\Windows",
      "system folder: C:\\Windows\\system32",
      "temp folder: C:\\Users\\tester\\AppData\\Local\\Temp\\",
      "user: tester (S-1-5-21-0-0-0-1000)",
      "registry:",
      "  HKLM\\SOFTWARE\t" + software,
      "  HKLM\\SYSTEM\t" + test::ConfigHivePath(root, "SYSTEM"),
      "  HKLM\\SYSTEM\\CurrentControlSet\t" + test::ConfigHivePath(root, "SYSTEM") +
          " (ControlSet001)",
      "  HKCU\t" + profile + "NTUSER.DAT",
      "  HKCU\\Software\\Classes\t" + profile + "AppData/Local/Microsoft/Windows/UsrClass.dat",
      "  HKLM\\Software\\Classes\t" + customer + " (imported)",
      "  settings\t" + m_home.ConfigHome() + "/quorvex",
      products[0],
      products[1],
      "problems:",
      "  " + dirty,
      "  " + lost,
  };
  EXPECT_EQ(Machine(&err), expected);
  // Start-up reports each problem once on standard error, whatever the command.
  EXPECT_EQ(err, "quorvex-cli: " + dirty + "\nquorvex-cli: " + lost + "\n");
}

TEST_F(CliMachineTest, ShowsAWinePrefix) {
  const std::string prefix = test::WriteWinePrefix(
      m_dir, "prefix", test::ReadFile(kData + "system.reg"), test::ReadFile(kData + "user.reg"));
  test::ScopedEnv env;
  env.Set("WINEPREFIX", prefix);
  const std::vector<std::string> lines = Machine();
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[0], "kind: Wine prefix " + prefix);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.begin() + 10),
            (std::vector<std::string>{"registry:", "  HKLM\t" + prefix + "/system.reg",
                                      "  HKCU\t" + prefix + "/user.reg",
                                      "  settings\t" + m_home.ConfigHome() + "/quorvex"}));
}

TEST_F(CliMachineTest, RefusesAFolderThatIsNoWindowsInstallation) {
  test::ScopedEnv env;
  env.Set("QUORVEX_WINDOWS", m_dir.path());
  const test::CliResult r = RunCli(m_dir, {"machine"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "quorvex-cli: QUORVEX_WINDOWS " + m_dir.path() +
                       ": not a Windows installation (it holds no "
                       "Windows\\System32\\config\\SOFTWARE)\n");
}

TEST_F(CliMachineTest, DirsResolvesFoldersOnAWindowsInstallation) {
  test::WindowsInstallationOptions options;
  options.profiles[0].name = "ann";
  options.machine =
      "WINE REGISTRY Version 2\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 0\n"
      "\"ProgramFilesDir (x86)\"=\"C:\\\\Apps (x86)\"\n";
  const std::string root = test::WriteWindowsInstallation(m_dir, "win", options);
  QV_FIXTURE_OR_SKIP(package, m_dir, "session");
  test::ScopedEnv env;
  env.Set("QUORVEX_WINDOWS", root);
  const test::CliResult r = RunCli(m_dir, {"dirs", package});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  const std::string source = test::OnDriveZ(m_dir.path()) + "\\";
  for (const std::string& line :
       {"TARGETDIR\tC:\\\t" + source,
        "BinDir\tC:\\Apps (x86)\\Quorvex Vendor\\Product Home\\bin\\\t" + source +
            "Quorvex Vendor\\Product Source\\bin\\",
        "CompanyData\tC:\\Users\\ann\\AppData\\Roaming\\Quorvex\\\t" + source + "Quorvex\\",
        "SystemFolder\tC:\\Windows\\SysWOW64\\\t" + source}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << "\n" << r.out;
  }
}

}  // namespace
}  // namespace qv
