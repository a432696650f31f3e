// A Windows installation whose hives hold what Wine's installer registered
// (tests/data/registry/wine_installer) shows the installer the registry the Wine prefix holding
// the same registry shows it, and a product's cached package opens from Windows\Installer.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/pending_error.h"
#include "platform/machine/machine_profiles.h"
#include "platform/machine/machine_registry.h"
#include "platform/msi/engine_installer.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"
#include "support/windows_installation.h"

namespace qv::msi {
namespace {

const std::string kData = std::string(QV_TEST_DATA_DIR) + "/registry/wine_installer/";
const std::string kA = "{A1111111-1111-1111-1111-111111111111}";  // per-machine, installed

// Every value below key on the current machine, one line each, subkeys after. Values are
// written as Windows stores them: a Wine file may end a list with more empty strings than
// Windows keeps.
void Dump(const std::string& key, std::vector<std::string>* out) {
  for (const std::string& name : CurrentRegistry().ValueNames(key)) {
    registry::Value v;
    EXPECT_TRUE(CurrentRegistry().GetValue(key, name, &v).ok()) << key << " " << name;
    const registry::Value stored = registry::Value::FromStoredBytes(v.type, v.StoredBytes());
    out->push_back(key + " " + name + "=" + std::to_string(v.type) + ":" + stored.data);
  }
  for (const std::string& sub : CurrentRegistry().SubkeyNames(key)) Dump(key + "\\" + sub, out);
}

// The keys the installer's registration queries read, as the current machine shows them.
std::vector<std::string> InstallerKeys() {
  std::vector<std::string> out = {CurrentMachine().userSid};
  for (const char* root : {"HKLM\\Software\\Classes\\Installer",
                           "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer",
                           "HKCU\\Software\\Microsoft\\Installer"}) {
    Dump(root, &out);
  }
  return out;
}

TEST(WindowsRegistrationTest, InstallerKeysAreThoseOfTheWinePrefixWithTheSameRegistry) {
  test::IsolatedHome home;
  test::TempDir dir;
  const MachineSettings settings{home.DataHome(), home.ConfigHome(), "tester"};
  Status status;
  const std::string prefix = test::WriteWinePrefix(
      dir, "prefix", test::ReadFile(kData + "system.reg"), test::ReadFile(kData + "user.reg"));
  SetCurrentMachine(LoadWinePrefix(prefix, settings, &status));
  ASSERT_TRUE(status.ok()) << status.ToString();
  const std::vector<std::string> wine = InstallerKeys();
  EXPECT_GT(wine.size(), 100u);

  test::WindowsInstallationOptions options;
  options.machine = test::ReadFile(kData + "system.reg");
  options.profiles[0].user = test::ReadFile(kData + "user.reg");
  const std::string root = test::WriteWindowsInstallation(dir, "win", options);
  SetCurrentMachine(LoadWindowsInstallation(root, "", settings, &status));
  ASSERT_TRUE(status.ok()) << status.ToString();
  EXPECT_EQ(InstallerKeys(), wine);
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
  EXPECT_EQ(database->TablePersistent("Property"), 1);
  SetCurrentMachine(nullptr);
}

}  // namespace
}  // namespace qv::msi
