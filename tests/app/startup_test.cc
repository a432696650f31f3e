#include "app/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/machine/machine.h"
#include "platform/msi/automation.h"
#include "services/registry_functions.h"
#include "support/fake_installer.h"
#include "support/fresh_program_state.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Start-up must set every value, not find it set.
    Program().FileKeyMarker.clear();
    Program().HistoryMax = 0;
    OpenDb().oDatabase = std::make_shared<test::FakeDatabase>();
  }
  void TearDown() override {
    msi::SetInstallerFactory(nullptr);
    SetCurrentMachine(nullptr);
  }
  StartWindow Window() {
    return {[this] { ++created; }, [this] { ++displayed; }};
  }

  test::FreshProgramState fresh;
  test::IsolatedHome home;
  test::ScopedScriptedUi ui;
  int created = 0;
  int displayed = 0;
};

TEST_F(StartupTest, StartsTheConverterRecordingTheExecutableAndKeepingSettings) {
  ASSERT_TRUE(Main(Window()));
  EXPECT_EQ(std::make_pair(created, displayed), std::make_pair(1, 1));
  EXPECT_TRUE(ui->messages.empty());
  const ProgramState& program = Program();
  EXPECT_NE(program.InstallerObject, nullptr);
  EXPECT_EQ(OpenDb().oDatabase, nullptr);
  EXPECT_EQ(program.SettingsKey, "Dunar\\Quorvex");
  EXPECT_EQ(program.HistoryMax, 10);
  EXPECT_EQ(program.FileKeyMarker, "#");
  EXPECT_EQ(program.WindowsDir, CurrentMachine().windowsDir);
  EXPECT_EQ(program.SystemDir, CurrentMachine().systemDir);

  // The executable (this test program, whose name has no ".") is recorded under its whole
  // name and EXENAME, in the form drive Z: gives its host path.
  std::string exe = "Z:" + std::filesystem::read_symlink("/proc/self/exe").string();
  std::replace(exe.begin(), exe.end(), '/', '\\');
  for (const char* valueName : {"EXENAME", "app_tests"}) {
    std::string stored;
    GetREGString("", valueName, &stored, 1000);
    EXPECT_EQ(stored, exe) << valueName;
  }
}

TEST_F(StartupTest, MissingInstallerIsReportedAndEndsTheProgram) {
  msi::SetInstallerFactory([] { return std::shared_ptr<msi::Installer>(); });
  ui->Answer(ui::Answer::kNo);  // even going on cannot work without the installer
  EXPECT_FALSE(Main(Window()));
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0].title, "Msi Access Error");
  EXPECT_EQ(ui->messages[0].text.rfind("CheckErrorTrans Common - Line no  5750\r\r", 0), 0u)
      << ui->messages[0].text;
  EXPECT_NE(ui->messages[0].text.find("Err Number= 429"), std::string::npos);
  EXPECT_EQ(std::make_pair(ui->endCount, ui->lastExitCode), std::make_pair(1, 1));
  EXPECT_EQ(std::make_pair(created, displayed), std::make_pair(1, 0));
}

}  // namespace
}  // namespace qv
