#pragma once
// What the path tests share: a test machine, a scripted user interface, the engine's installer
// as the program's installer object, and the fixture packages.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "app/globals.h"
#include "msidb/open_database_state.h"
#include "paths/directory_list.h"
#include "paths/record_translation.h"
#include "platform/base/pending_error.h"
#include "support/fake_installer.h"
#include "support/fixture_packages.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::test {

/// Program state as start-up leaves it, on a test machine, torn down after each test.
class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    InstallerObject = installer;
    WindowsDir = machine.machine().windowsDir;
    SystemDir = machine.machine().systemDir;
    FileKeyMarker = "#";
  }
  void TearDown() override {
    ResetPathLists();
    OpenDb() = OpenDatabaseState{};
    InstallerObject = nullptr;
    ClearPendingError();
  }
  /// The record tab's keys-to-paths road, without the added quotes.
  std::string Decode(const std::string& package, const std::string& text) {
    std::optional<std::string> formatted = DecodeRecord(package, text);
    EXPECT_TRUE(formatted.has_value()) << package;
    return formatted.value_or("");
  }

  ScopedTestMachine machine;
  ScopedScriptedUi ui;
  TempDir dir;
  std::shared_ptr<WatchedInstaller> installer = std::make_shared<WatchedInstaller>();
};

/// The session fixture's folder of the product, on the test machine.
inline const std::string kProductHome = "C:\\Program Files (x86)\\Quorvex Vendor\\Product Home\\";

}  // namespace qv::test
