#pragma once
// A machine whose drive C is a scoped temporary folder, for the file-system services.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/machine/machine.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace qv::test {

/// Installs a machine whose drive C is m_dir/drive_c holding C:\Windows\win.ini ("x") and
/// C:\Program Files\setup.msi ("12345"); no machine is set after the test.
class DriveCTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.Write("drive_c/Windows/win.ini", "x");
    m_dir.Write("drive_c/Program Files/setup.msi", "12345");
    auto machine = std::make_shared<Machine>();
    machine->drives['C'] = m_dir.Sub("drive_c");
    SetCurrentMachine(machine);
  }
  void TearDown() override { SetCurrentMachine(nullptr); }
  TempDir m_dir;
};

/// Expects that ui showed exactly one message box, with these texts and buttons.
inline void ExpectOneMessage(ScriptedUi& ui, const std::string& text, const std::string& title,
                             ui::Buttons buttons) {
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, text);
  EXPECT_EQ(ui.messages[0].title, title);
  EXPECT_EQ(ui.messages[0].buttons, buttons);
}

}  // namespace qv::test
