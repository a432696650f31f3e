// The registration queries on a Windows installation whose hives hold what Wine's installer
// registered (tests/data/registry/wine_installer) give the answers they give on the Wine prefix
// holding the same registry, and a product's cached package opens from Windows\Installer.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/base/pending_error.h"
#include "platform/machine/machine_profiles.h"
#include "platform/machine/machine_registry.h"
#include "platform/msi/engine_installer.h"
#include "platform/msi/msi_functions.h"
#include "platform/msi/packed_guid.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"
#include "support/windows_installation.h"

namespace qv::msi {
namespace {

const std::string kData = std::string(QV_TEST_DATA_DIR) + "/registry/wine_installer/";
const std::string kA = "{A1111111-1111-1111-1111-111111111111}";  // per-machine, installed
const char* kInstaller = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData";

// Every GUID the machine's registry names as a product or component key.
std::set<std::string> RegisteredGuids() {
  std::set<std::string> guids;
  std::vector<std::string> lists = {"HKLM\\Software\\Classes\\Installer\\Products",
                                    "HKCU\\Software\\Microsoft\\Installer\\Products"};
  for (const std::string& sid : CurrentRegistry().SubkeyNames(kInstaller)) {
    lists.push_back(std::string(kInstaller) + "\\" + sid + "\\Products");
    lists.push_back(std::string(kInstaller) + "\\" + sid + "\\Components");
  }
  for (const std::string& list : lists) {
    for (const std::string& packed : CurrentRegistry().SubkeyNames(list)) {
      std::string guid;
      if (UnpackGuid(packed, &guid)) guids.insert(guid);
    }
  }
  return guids;
}

// What the installer answers on the current machine about guids, one line per answer.
std::vector<std::string> Answers(const std::set<std::string>& guids) {
  auto installer = MakeEngineInstaller();
  std::vector<std::string> out;
  for (const std::string& product : installer->Products()) out.push_back("product " + product);
  for (const std::string& guid : guids) {
    out.push_back(guid + " state " + std::to_string(installer->ProductState(guid)));
    for (const char* attribute : {"ProductName", "VersionString", "LocalPackage", "PackageCode",
                                  "InstalledProductName", "Language", "AssignmentType"}) {
      out.push_back(guid + " " + attribute + " " + installer->ProductInfo(guid, attribute));
      ClearPendingError();
    }
    for (const char* feature : {"Main", "Child", "Extra", "Off", "Missing"}) {
      out.push_back(guid + " feature " + feature + " " +
                    std::to_string(installer->FeatureState(guid, feature)));
    }
    std::string clients;
    for (const std::string& c : installer->ComponentClients(guid)) clients += " " + c;
    out.push_back(guid + " clients" + clients);
    ClearPendingError();
  }
  std::string component;
  for (uint32_t i = 0; MsiEnumComponentsA(i, &component) == 0; ++i) {
    out.push_back("component " + component);
  }
  return out;
}

TEST(WindowsRegistrationTest, AnswersAreThoseOfTheWinePrefixWithTheSameRegistry) {
  test::IsolatedHome home;
  test::TempDir dir;
  const MachineSettings settings{home.DataHome(), home.ConfigHome(), "tester"};
  Status status;
  const std::string prefix = test::WriteWinePrefix(
      dir, "prefix", test::ReadFile(kData + "system.reg"), test::ReadFile(kData + "user.reg"));
  SetCurrentMachine(LoadWinePrefix(prefix, settings, &status));
  ASSERT_TRUE(status.ok()) << status.ToString();
  const std::set<std::string> guids = RegisteredGuids();
  const std::vector<std::string> wine = Answers(guids);

  test::WindowsInstallationOptions options;
  options.machine = test::ReadFile(kData + "system.reg");
  options.profiles[0].user = test::ReadFile(kData + "user.reg");
  const std::string root = test::WriteWindowsInstallation(dir, "win", options);
  SetCurrentMachine(LoadWindowsInstallation(root, "", settings, &status));
  ASSERT_TRUE(status.ok()) << status.ToString();
  EXPECT_EQ(RegisteredGuids(), guids);
  EXPECT_EQ(Answers(guids), wine);
  EXPECT_GT(guids.size(), 20u);
  EXPECT_EQ(MakeEngineInstaller()->ProductState(kA), 5);
  SetCurrentMachine(nullptr);
}

TEST(WindowsRegistrationTest, CachedPackageOpensFromWindowsInstaller) {
  test::IsolatedHome home;
  test::TempDir dir;
  QV_FIXTURE_OR_SKIP(package, dir, "basic");
  test::WindowsInstallationOptions options;
  options.machine = test::ReadFile(kData + "system.reg");
  const std::string root = test::WriteWindowsInstallation(dir, "win", options);
  // The registration names C:\windows\Installer\5fb8.msi; the folder is Windows\Installer.
  test::CacheInstallerPackage(root, package, "5fb8.msi");
  Status status;
  SetCurrentMachine(
      LoadWindowsInstallation(root, "", {home.DataHome(), home.ConfigHome(), "x"}, &status));
  ASSERT_TRUE(status.ok()) << status.ToString();
  auto installer = MakeEngineInstaller();
  const std::string cached = installer->ProductInfo(kA, "LocalPackage");
  EXPECT_EQ(cached, "C:\\windows\\Installer\\5fb8.msi");
  std::shared_ptr<Database> database = installer->OpenDatabase(cached, 0);
  ASSERT_TRUE(database) << PendingError().description;
  std::shared_ptr<View> view = database->OpenView("SELECT `Property` FROM `Property`");
  ASSERT_TRUE(view && view->Execute());
  EXPECT_TRUE(view->Fetch());
  view->Close();
  SetCurrentMachine(nullptr);
}

}  // namespace
}  // namespace qv::msi
