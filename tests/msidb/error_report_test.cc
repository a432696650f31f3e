#include "msidb/error_report.h"

#include <gtest/gtest.h>

#include "platform/base/pending_error.h"
#include "support/fake_installer.h"
#include "support/fresh_program_state.h"
#include "support/scripted_ui.h"

namespace qv {
namespace {

class ErrorReportTest : public ::testing::Test {
 protected:
  test::FreshProgramState fresh;
  test::ScopedScriptedUi ui;
};

TEST_F(ErrorReportTest, ReportNamesModuleLocationErrorPackageAndLastRecord) {
  auto installer = std::make_shared<test::WatchedInstaller>();
  installer->lastError = std::make_shared<msi::Record>(2);
  installer->lastError->SetIntegerData(1, 2203);
  installer->lastError->SetStringData(2, "C:\\pkgs\\app.msi");
  Program().InstallerObject = installer;
  OpenDb().szCurrentMsi = "C:\\pkgs\\app.msi";
  SetMsiApiError("OpenDatabase,DatabasePath,OpenMode");
  EXPECT_TRUE(CheckInstallerError(true, 141));

  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0].title, "Msi Access Error");
  EXPECT_EQ(ui->messages[0].buttons, ui::Buttons::kYesNoCancel);
  EXPECT_EQ(ui->messages[0].text,
            "CheckErrorTrans QuorvexDB_Bas - Line no  141\r\r"
            "Msi API Error  Err Number=-2147467259 Hex 80004005: "
            "OpenDatabase,DatabasePath,OpenMode\r"
            "MsiFile :=C:\\pkgs\\app.msi OpenType :=Not Opened\r\n"
            "1: 2203 2: C:\\pkgs\\app.msi \r\r"
            "Press \"YES\" to Exit Quorvex \"NO\" to Continue");
  EXPECT_FALSE(ErrorPending());
}

TEST_F(ErrorReportTest, YesEndsTheProgramOthersGoOnWithoutError) {
  int ends = 0;
  for (ui::Answer answer : {ui::Answer::kNo, ui::Answer::kCancel, ui::Answer::kYes}) {
    SetMsiApiError("OpenView,Sql");
    ui->Answer(answer);
    CheckErrorTrans("Common", 1627);
    EXPECT_EQ(ui->endCount, answer == ui::Answer::kYes ? ++ends : ends);
    EXPECT_FALSE(ErrorPending());
  }
}

TEST_F(ErrorReportTest, StateTextFollowsDatabaseAndSession) {
  EXPECT_EQ(DatabaseStateText(), "Not Opened");
  auto db = std::make_shared<test::FakeDatabase>();
  OpenDb().oDatabase = db;
  EXPECT_EQ(DatabaseStateText(), "Opened for Reading");
  OpenDb().oSession = std::make_shared<test::FakeSession>(db);
  EXPECT_EQ(DatabaseStateText(), "Opened for Reading - Session generated");
  OpenDb().oSession = nullptr;
  db->state = 1;
  EXPECT_EQ(DatabaseStateText(), "Opened for Writing");
}

}  // namespace
}  // namespace qv
