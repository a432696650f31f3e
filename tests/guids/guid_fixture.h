#pragma once
// The test base of the GUID identification tests: the machine of guid_machine.h made current,
// the installer object created, a scripted user interface, and no handle left open.

#include <gtest/gtest.h>

#include "guids/guid_machine.h"
#include "platform/msi/automation.h"
#include "state/program_state.h"
#include "support/fresh_program_state.h"
#include "support/handle_check.h"
#include "support/scripted_ui.h"

namespace qv::test {

/// Each test runs on the GUID machine with its cached package in place.
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
