#pragma once
// What the path tests share: a test machine, a scripted user interface, the engine's installer
// as the program's installer object, and the fixture packages.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "paths/record_translation.h"
#include "platform/base/pending_error.h"
#include "support/fake_installer.h"
#include "support/fixture_packages.h"
#include "support/fresh_program_state.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::test {

/// Program state as start-up leaves it, on a test machine, torn down after each test.
class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramState& program = Program();
    program.InstallerObject = installer;
    program.WindowsDir = machine.machine().windowsDir;
    program.SystemDir = machine.machine().systemDir;
  }
  /// The record tab's keys-to-paths road, without the added quotes.
  std::string Decode(const std::string& package, const std::string& text) {
    const DecodedRecord decoded = DecodeRecord(package, text);
    EXPECT_EQ(decoded.outcome, DecodeOutcome::kDecoded) << package;
    return decoded.text;
  }

  FreshProgramState fresh;
  ScopedTestMachine machine;
  ScopedScriptedUi ui;
  TempDir dir;
  std::shared_ptr<WatchedInstaller> installer = std::make_shared<WatchedInstaller>();
};

/// The session fixture's folder of the product, on the test machine.
inline const std::string kProductHome = "C:\\Program Files (x86)\\Quorvex Vendor\\Product Home\\";

}  // namespace qv::test
