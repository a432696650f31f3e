#include "msidb/database_open.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/base/pending_error.h"
#include "services/registry_functions.h"
#include "support/fake_installer.h"
#include "support/fixture_packages.h"
#include "support/fresh_program_state.h"
#include "support/locking_child.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv {
namespace {

constexpr const char* kPolicyKey = "HKLM\\Software\\Policies\\Microsoft\\Windows\\Installer";

class DatabaseOpenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Program().InstallerObject = installer;
    Program().WindowsDir = "C:\\Windows";
  }
  // Closes what is open, so that the next Open starts afresh.
  void Forget() {
    CloseVoDatabase();
    OpenDb().szCurrentMsi.clear();
  }
  void ExpectMessage(size_t count, const std::string& title, const std::string& text) {
    ASSERT_EQ(ui->messages.size(), count);
    EXPECT_EQ(ui->messages.back().title, title);
    EXPECT_EQ(ui->messages.back().text, text);
  }
  // Opens on the standard road for reading, as the program's callers do.
  std::string Open(const std::string& path, bool session) {
    return OpenMsiDbVb(path, OpenDb().oDatabase, {.GenSession = session, .bStandardMsi = true},
                       &state);
  }
  std::string Logging() {
    std::string value;
    return GetREGString(kPolicyKey, "Logging", &value, 100) > 0 ? value : "<absent>";
  }

  test::FreshProgramState fresh;
  test::ScopedTestMachine machine;
  test::ScopedScriptedUi ui;
  test::TempDir dir;
  std::shared_ptr<test::WatchedInstaller> installer = std::make_shared<test::WatchedInstaller>();
  PState state;
};

TEST_F(DatabaseOpenTest, ShortNamesAndMissingOrForeignFilesAreRefused) {
  EXPECT_EQ(Open("abc", true), "\"abc does not have a File Extension");
  EXPECT_TRUE(ui->messages.empty());

  const std::string missing = dir.Sub("missing.msi");
  EXPECT_EQ(OpenMsiDbVb(missing, OpenDb().oDatabase, {.GenSession = true}),
            missing + " is not a Msi File or is in use or does not exist.");
  ExpectMessage(1, "Error", missing + " is not a valid file.");
  ui->messages.clear();
  EXPECT_NE(OpenMsiDb(missing, OpenDb().oDatabase, {.GenSession = true}), "");
  ExpectMessage(2, "ERROR - Not a Msi File", "\"" + missing + "\"\rCannot be opened as a Msi File");
}

TEST_F(DatabaseOpenTest, OpensWithSessionAndReopensTheSamePackageOnlyAdjustingTheSession) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  ASSERT_EQ(Open(package, true), "");
  EXPECT_EQ(state, PState{});
  EXPECT_EQ(OpenDb().szCurrentMsi, package);
  ASSERT_NE(OpenDb().oSession, nullptr);
  const auto database = OpenDb().oDatabase;

  ASSERT_EQ(Open(package, false), "");
  EXPECT_EQ(state, (PState{PState::Open::kReading, true, package}));
  EXPECT_EQ(OpenDb().oDatabase, database);
  EXPECT_EQ(OpenDb().oSession, nullptr);

  ASSERT_EQ(Open(package, true), "");
  EXPECT_EQ(state, (PState{PState::Open::kReading, false, package}));
  EXPECT_EQ(OpenDb().oDatabase, database);
  EXPECT_NE(OpenDb().oSession, nullptr);
  EXPECT_EQ(installer->openedPaths.size(), 1u);
}

TEST_F(DatabaseOpenTest, PackageHeldByAnotherApplicationOpensFromItsCopy) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  test::LockingChild holder(package, F_WRLCK);
  ASSERT_TRUE(holder.locked());
  ASSERT_EQ(Open(package, true), "");
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0].text,
            "Could not open Msi Database " + package + "\rSee if another Application is using it");
  const std::string copy = package.substr(0, package.size() - 3) + "CopyOf.Msi";
  EXPECT_EQ(OpenDb().szCopyMsi, copy);
  EXPECT_EQ(OpenDb().szCurrentMsi, package);
  EXPECT_TRUE(std::filesystem::exists(copy));
  ASSERT_FALSE(installer->openedPaths.empty());
  EXPECT_EQ(installer->openedPaths.back(), copy);
}

TEST_F(DatabaseOpenTest, PatchesOpenInPatchModeAndModulesWithoutTheCheck) {
  QV_FIXTURE_OR_SKIP(patch, dir, "patch");
  EXPECT_EQ(Open(patch, false), "");
  EXPECT_EQ(installer->openedModes.back(), 32);

  const std::string module = dir.Write("merge.msm", "not checked before opening");
  EXPECT_EQ(Open(module, false), "Error could not open database");
  EXPECT_EQ(installer->openedModes.back(), 0);
  // The failed open is reported (location 141), not a validity message.
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0].title, "Msi Access Error");
  EXPECT_NE(ui->messages[0].text.find("QuorvexDB_Bas - Line no  141"), std::string::npos);
  EXPECT_FALSE(ErrorPending());
}

TEST_F(DatabaseOpenTest, WritingAReadOnlyPackageAsksToClearTheAttribute) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  ASSERT_EQ(chmod(package.c_str(), 0444), 0);
  ui->Answer(ui::Answer::kNo);
  EXPECT_EQ(OpenMsiDbVb(package, OpenDb().oDatabase, {.nOpenWrite = 1, .bStandardMsi = true}),
            "Cannot open \"" + package + "\" for Writing");
  ExpectMessage(
      1, "Cannot open Msi For Write",
      "Cannot write to \r" + package + "\ras \"Read\" Attribute set\rPress \"YES\" to clear");
  ui->Answer(ui::Answer::kYes);
  EXPECT_EQ(OpenMsiDbVb(package, OpenDb().oDatabase, {.nOpenWrite = 1, .bStandardMsi = true}), "");
  EXPECT_EQ(installer->openedModes.back(), 1);
  EXPECT_EQ(OpenDb().oDatabase->DatabaseState(), 1);
}

TEST_F(DatabaseOpenTest, CostingHoldsTheLoggingPolicyAsideAndRootDriveTargetsMove) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  installer->fakeSession = std::make_shared<test::FakeSession>(nullptr);
  // The policy is held in memory; the machine's registry keeps it as it was.
  for (const char* policy : {"", "voicewarmupx"}) {
    Forget();
    if (*policy) SaveREGString(kPolicyKey, "Logging", policy, 1, 1);
    ASSERT_EQ(Open(package, true), "") << policy;
    EXPECT_EQ(OpenDb().szSavedLogging, policy);
    EXPECT_EQ(Logging(), *policy ? policy : "<absent>");
  }

  // A target on the root drive moves to the Windows drive.
  const struct {
    const char *targetDir, *rootDrive, *expectedTarget, *expectedRoot;
  } cases[] = {
      {"D:\\Apps\\", "D:\\", "C:\\Apps\\", "D:\\"},
      {"d:\\Apps\\", "D:\\", "C:\\Apps\\", "D:\\"},  // drive letters ignore case
      {"E:\\Apps\\", "D:\\", "E:\\Apps\\", "D:\\"},
      {"", "", "C:\\", "C:\\"},
  };
  for (const auto& c : cases) {
    installer->fakeSession->properties = {
        {"TARGETDIR", c.targetDir}, {"ROOTDRIVE", c.rootDrive}, {"SourceDir", "Z:\\pkgs\\"}};
    Forget();
    ASSERT_EQ(Open(package, true), "");
    EXPECT_EQ(OpenDb().szTargetDir, c.expectedTarget) << c.targetDir;
    EXPECT_EQ(OpenDb().szRootDrive, c.expectedRoot) << c.targetDir;
    EXPECT_EQ(OpenDb().szSourceDir, "Z:\\pkgs\\");
  }
}

TEST_F(DatabaseOpenTest, SessionThatCannotBeGeneratedEndsTheProgram) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  installer->failSessions = true;
  Open(package, true);
  EXPECT_EQ(installer->packageOptions, (std::vector<int>{0, 1}));
  ExpectMessage(1, "Error", "Cannot Generate Session for Msi File It may be Corrupt - Exit");
  EXPECT_EQ(ui->endCount, 1);
}

TEST_F(DatabaseOpenTest, ReOpenDatabasePutsBackTheRecordedState) {
  const PState nothing;
  EXPECT_FALSE(ReOpenDatabase(nothing, true));
  EXPECT_FALSE(ReOpenDatabase({PState::Open::kReading, true, "C:\\x.msi"}, true));

  QV_FIXTURE_OR_SKIP(first, dir, "session");
  QV_FIXTURE_OR_SKIP(second, dir, "basic");
  ASSERT_EQ(Open(first, true), "");
  ASSERT_EQ(Open(second, false), "");
  EXPECT_EQ(state, (PState{PState::Open::kReading, true, first}));
  EXPECT_FALSE(ReOpenDatabase({PState::Open::kReading, false, second}, true));  // as recorded

  EXPECT_TRUE(ReOpenDatabase(state, true));
  EXPECT_EQ(OpenDb().szCurrentMsi, first);
  EXPECT_NE(OpenDb().oSession, nullptr);

  EXPECT_TRUE(ReOpenDatabase(nothing, true));
  EXPECT_EQ(OpenDb().oDatabase, nullptr);
  EXPECT_EQ(OpenDb().oSession, nullptr);

  ASSERT_EQ(Open(first, false), "");
  const std::string gone = dir.Sub("gone.msi");
  EXPECT_TRUE(ReOpenDatabase({PState::Open::kReading, false, gone}, true));
  ASSERT_FALSE(ui->messages.empty());
  EXPECT_EQ(ui->messages.back().title, "Error ReOpening - \"" + gone + "\"");
  EXPECT_EQ(ui->messages.back().text, gone + " is not a Msi File or is in use or does not exist.");
}

}  // namespace
}  // namespace qv
