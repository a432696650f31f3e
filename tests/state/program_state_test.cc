#include "state/program_state.h"

#include <gtest/gtest.h>

#include "platform/base/pending_error.h"
#include "platform/ui/ui.h"
#include "records/list_state.h"
#include "records/record_list.h"
#include "services/text_files.h"
#include "support/fake_installer.h"
#include "support/scripted_ui.h"
#include "support/test_machine.h"

namespace qv {
namespace {

TEST(ProgramStateTest, ResetForgetsEveryPieceOfState) {
  test::ScopedTestMachine machine;
  test::ScopedScriptedUi ui;
  ProgramState& program = Program();
  program.SettingsKey = "Other\\Key";
  program.HistoryMax = 3;
  program.FileKeyMarker = "!";
  program.InstallerObject = std::make_shared<test::WatchedInstaller>();
  OpenDb().szCurrentMsi = "C:\\pkgs\\app.msi";
  EXPECT_EQ(SettingsKeyPath(), "Other\\Key");
  SetPendingError(5, "Quorvex", "Invalid procedure call");
  ListSetup(7, true);
  ListAddItem(7, "|1=a");
  ListStateOf(7).built_for = "C:\\pkgs\\app.msi";
  ListSetup(kMaxListNumber, false);
  ListAddItem(kMaxListNumber, "|1=b");
  ASSERT_EQ(OpenFFile("C:\\out.txt", 3, FileOpenType::kWrite, false), OpenFileResult::kOpened);
  ui::EndProgram(0);

  ResetProgramState();
  EXPECT_EQ(program.SettingsKey, "");
  EXPECT_EQ(SettingsKeyPath(), "Dunar\\Quorvex");
  EXPECT_EQ(program.HistoryMax, 10);
  EXPECT_EQ(program.FileKeyMarker, "#");
  EXPECT_EQ(program.InstallerObject, nullptr);
  EXPECT_EQ(OpenDb().szCurrentMsi, "");
  EXPECT_FALSE(ErrorPending());
  EXPECT_FALSE(ListDefined(7));
  EXPECT_FALSE(ListDefined(kMaxListNumber));
  EXPECT_EQ(ListStateOf(7).built_for, "");
  EXPECT_FALSE(ListStateOf(7).auto_sort);
  EXPECT_EQ(FileTable(3)->Ntype, FileOpenType::kFree);
  EXPECT_FALSE(ui::ProgramEnded());
}

}  // namespace
}  // namespace qv
