// GUID identification on a Windows installation on disk: the registrations come from its
// SOFTWARE hive and the user's NTUSER.DAT and UsrClass.dat, the component's name from the
// cached package under C:\Windows\Installer.

#include <gtest/gtest.h>

#include "guids/guid_identification.h"
#include "guids/guid_machine.h"
#include "platform/machine/machine_profiles.h"
#include "platform/msi/automation.h"
#include "state/program_state.h"
#include "support/fresh_program_state.h"
#include "support/handle_check.h"
#include "support/scripted_ui.h"
#include "support/windows_installation.h"

namespace qv {
namespace {

using namespace test::guid;

// The user's classes hive holds what the user hive's Software\Classes holds on the other
// machine kinds: the keys below it, relative to the hive's root.
std::string UserClassesHive() {
  test::WineHiveText h("\\\\User\\\\S-1-5-21-0-0-0-1000_Classes");
  h.Key("CLSID\\" + kUserClass).Text("", "User Class");
  h.Key("CLSID\\" + kUserClass + "\\ProgID").Text("", "User.Class.1");
  return h.str();
}

class WindowsIdentificationTest : public test::HandleLeakCheck {
 protected:
  test::FreshProgramState m_state;
  test::ScopedScriptedUi m_ui;
  test::IsolatedHome m_home;
  test::TempDir m_dir;
};

TEST_F(WindowsIdentificationTest, ProductsComponentsAndClassesOfTheInstallation) {
  QV_FIXTURE_OR_SKIP(package, m_dir, "basic");
  test::WindowsInstallationOptions options;
  options.machine = test::GuidMachineHive();
  options.profiles[0].classes = UserClassesHive();
  const std::string root = test::WriteWindowsInstallation(m_dir, "win", options);
  EXPECT_EQ(test::CacheInstallerPackage(root, package, "inst.msi"), kLocalPackage);
  Status status;
  SetCurrentMachine(LoadWindowsInstallation(
      root, "", {m_home.DataHome(), m_home.ConfigHome(), "tester"}, &status));
  ASSERT_TRUE(status.ok()) << status.ToString();
  Program().InstallerObject = msi::CreateInstallerObject();

  const std::pair<std::string, std::string> cases[] = {
      {kInstalled, "Installed Product - Name Installed App\r Version 2.5.1"},
      {kComponent,
       "Component - GUID\r Installed by the Following Products"
       "\rName Installed App (display) - Version 2.5.1\rComponent Name MainExe"
       "\rComponent  Name Advertised App Version 33554432"
       "\rProduct with GUID " +
           kAbsent + " which is not installed or advertised"},
      {kUserClass, "Defined on PC as\r\"Registry HKEY_CLASSES_ROOT\\CLSID\\" + kUserClass +
                       "\r\".Default\" = User Class\r\"ProgID\"  = User.Class.1"},
      {kUnknown, ""},
  };
  for (const auto& [guid, description] : cases) {
    std::string got;
    IdentifyGUID(guid, &got);
    EXPECT_EQ(got, description) << guid;
  }
  EXPECT_FALSE(OpenDb().oDatabase);
  EXPECT_TRUE(m_ui->messages.empty());
  SetCurrentMachine(nullptr);
}

}  // namespace
}  // namespace qv
