#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/globals.h"
#include "app/settings.h"
#include "msidb/open_database_state.h"
#include "platform/fs/path_map.h"
#include "platform/machine.h"
#include "platform/msi/automation.h"
#include "services/registry_functions.h"
#include "support/fake_installer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCurrentMachine(nullptr);
    SettingsKey.clear();
    WindowsDir.clear();
    SystemDir.clear();
    LibrarySysDir.clear();
    HistoryMax = 0;
    FileKeyMarker.clear();
    OpenDb() = OpenDatabaseState{};
    OpenDb().oDatabase = std::make_shared<test::FakeDatabase>();
  }
  void TearDown() override {
    msi::SetInstallerFactory(nullptr);
    InstallerObject = nullptr;
    OpenDb() = OpenDatabaseState{};
    SetCurrentMachine(nullptr);
  }
  StartWindow Window() {
    return {[this] { ++created; }, [this] { ++displayed; }};
  }

  test::IsolatedHome home;
  test::ScopedScriptedUi ui;
  int created = 0;
  int displayed = 0;
};

TEST_F(StartupTest, StartsAndOpensTheConverter) {
  ASSERT_TRUE(Main(Window()));
  EXPECT_EQ(created, 1);
  EXPECT_EQ(displayed, 1);
  EXPECT_TRUE(ui->messages.empty());
  EXPECT_EQ(ui->endCount, 0);
  EXPECT_NE(InstallerObject, nullptr);
  EXPECT_EQ(OpenDb().oDatabase, nullptr);
  EXPECT_EQ(SettingsKey, "Dunar\\Quorvex");
  EXPECT_EQ(HistoryMax, 10);
  EXPECT_EQ(FileKeyMarker, "#");
  EXPECT_EQ(WindowsDir, CurrentMachine().windowsDir);
  EXPECT_EQ(SystemDir, CurrentMachine().systemDir);

  // The library folder gets "sys" below it, and it exists on the machine's drive.
  std::string base;
  SetDUNARDir(&base, 256);
  EXPECT_EQ(LibrarySysDir, base + (base.back() == '\\' ? "sys" : "\\sys"));
  std::string host;
  ASSERT_TRUE(fs::HostPathOf(LibrarySysDir, &host).ok());
  EXPECT_TRUE(std::filesystem::is_directory(host)) << host;
}

TEST_F(StartupTest, RecordsTheExecutableUnderItsBaseNameAndExename) {
  std::string folder;
  std::string baseName;
  SetProgramPaths(&folder, &baseName);
  std::string exe;
  GetModuleFileNameA(&exe, 255);
  ASSERT_NE(exe.rfind('\\'), std::string::npos);
  EXPECT_EQ(folder, exe.substr(0, exe.rfind('\\')));
  std::string name = exe.substr(exe.rfind('\\') + 1);
  EXPECT_EQ(baseName, name.substr(0, name.rfind('.')));
  for (const std::string& valueName : {std::string("EXENAME"), baseName}) {
    std::string stored;
    EXPECT_GT(GetREGString("", valueName, &stored, 1000), 0) << valueName;
    EXPECT_EQ(stored, exe) << valueName;
  }
  EXPECT_EQ(WindowsDir, CurrentMachine().windowsDir);
}

TEST_F(StartupTest, FirstRunReadsEmptySettings) {
  ASSERT_TRUE(Main(Window()));
  EXPECT_EQ(GetSettingStr("Converter_CompGUID"), "");
  EXPECT_EQ(GetSettingStr("ConvMsiFile"), "");
  EXPECT_EQ(GetSettingDWord("Converter_Value0"), 0);
}

TEST_F(StartupTest, SettingsSurviveInTheStore) {
  SaveSettingStr("Converter_FileName", "C:\\Windows\\notepad.exe");
  SaveSettingDWord("Converter_Value1", -7);
  SetCurrentMachine(nullptr);  // a new run reads the store from disk
  EXPECT_EQ(GetSettingStr("Converter_FileName"), "C:\\Windows\\notepad.exe");
  EXPECT_EQ(GetSettingDWord("Converter_Value1"), -7);
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
  EXPECT_EQ(ui->endCount, 1);
  EXPECT_EQ(ui->lastExitCode, 1);
  EXPECT_EQ(created, 1);
  EXPECT_EQ(displayed, 0);
}

}  // namespace
}  // namespace qv
