#pragma once
// A machine with installer registrations and COM classes for the GUID identification tests:
// its registry in Wine's format (tests/data/guids), the installed product's cached package
// built from the "basic" fixture and laid under C:\Windows\Installer.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/msi/automation.h"
#include "state/program_state.h"
#include "support/data_rows.h"
#include "support/fixture_packages.h"
#include "support/fresh_program_state.h"
#include "support/handle_check.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::test {

/// The GUIDs the machine knows, and one it does not.
namespace guid {
inline const std::string kInstalled = "{1A000000-0000-0000-0000-000000000001}";
inline const std::string kAdvertised = "{2A000000-0000-0000-0000-000000000002}";
inline const std::string kAbsent = "{3A000000-0000-0000-0000-000000000003}";  ///< never registered
/// MainExe of the "basic" package, installed by kInstalled and kAdvertised, listing kAbsent.
inline const std::string kComponent = "{A1B2C3D4-1111-2222-3333-444455556666}";
/// HelpDoc of the "basic" package, registered with no client product that the installer knows.
inline const std::string kLoneComponent = "{A1B2C3D4-1111-2222-3333-444455557777}";
/// A feature name both products have.
inline const std::string kFeature = "{FEA70000-0000-0000-0000-000000000001}";
inline const std::string kFullClass = "{C1A55000-0000-0000-0000-000000000001}";
inline const std::string kSparseClass = "{C1A55000-0000-0000-0000-000000000002}";  ///< 2 subkeys
inline const std::string kNoDefaultClass = "{C1A55000-0000-0000-0000-000000000003}";
inline const std::string kNumberDefaultClass = "{C1A55000-0000-0000-0000-000000000004}";
inline const std::string kUserClass = "{C1A55000-0000-0000-0000-000000000005}";  ///< HKCU's
/// Packed forms, as the installer writes them.
inline const std::string kInstalledPacked = "000000A1000000000000000000000010";
inline const std::string kAdvertisedPacked = "000000A2000000000000000000000020";
/// Where the installed product's cached package is, as the registry names it.
inline const std::string kLocalPackage = "C:\\Windows\\Installer\\inst.msi";
}  // namespace guid

/// HKLM of the machine in Wine's format: the products, their features and components, and COM
/// classes (packed GUIDs written out, so the tests do not lean on the code they check).
inline std::string GuidMachineHive() {
  return DataFile("guids/machine.reg");
}

/// HKCU of the machine: a COM class registered for the user alone.
inline std::string GuidUserHive() {
  return DataFile("guids/user.reg");
}

/// Builds the "basic" package into dir and copies it to where the registry says the installed
/// product's cached package is, below the host folder of drive C; false when it cannot.
inline bool LayCachedPackage(const TempDir& dir, const std::string& driveC) {
  const std::string built = BuildFixture(dir, "basic");
  if (built.empty()) return false;
  const std::filesystem::path folder = std::filesystem::path(driveC) / "Windows" / "Installer";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::filesystem::copy_file(built, folder / "inst.msi",
                             std::filesystem::copy_options::overwrite_existing, ec);
  return !ec;
}

/// The test base of the GUID identification tests: the machine made current with its cached
/// package in place, the installer object created, a scripted user interface, no handle left.
class GuidMachineTest : public HandleLeakCheck {
 protected:
  void SetUp() override {
    HandleLeakCheck::SetUp();
    if (!MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
    ASSERT_TRUE(LayCachedPackage(m_dir, m_machine.DriveC()));
    Program().InstallerObject = msi::CreateInstallerObject();
    ASSERT_TRUE(Program().InstallerObject);
  }

  FreshProgramState m_state;
  ScopedScriptedUi m_ui;
  ScopedTestMachine m_machine{{.machineHive = GuidMachineHive(), .userHive = GuidUserHive()}};
  TempDir m_dir;
};

}  // namespace qv::test
