#include "msidb/views.h"

#include <gtest/gtest.h>

#include "app/globals.h"
#include "msidb/open_database_state.h"
#include "platform/msi/engine_installer.h"
#include "platform/pending_error.h"
#include "support/fixture_packages.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

class ViewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearPendingError();
    OpenDb() = OpenDatabaseState{};
    InstallerObject = msi::MakeEngineInstaller();
  }
  void TearDown() override {
    ClearPendingError();
    OpenDb() = OpenDatabaseState{};
    InstallerObject = nullptr;
  }
  std::shared_ptr<msi::Database> Open(const std::string& fixture) {
    m_path = test::BuildFixture(m_dir, fixture);
    return m_path.empty() ? nullptr : InstallerObject->OpenDatabase(m_path, 0);
  }
  test::ScopedScriptedUi ui;
  test::TempDir m_dir;
  std::string m_path;
};

TEST_F(ViewsTest, MissingTableGivesNoViewAndNoMessage) {
  if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  auto db = Open("japanese");  // has no Directory table
  ASSERT_TRUE(db);
  std::shared_ptr<msi::View> view;
  QuorvexOpenView(view, db, "SELECT `Directory`, `DefaultDir` FROM `Directory`",
                  "Common_MsiFunctions", 780);
  EXPECT_FALSE(view);
  EXPECT_TRUE(ui->messages.empty());
  EXPECT_FALSE(ErrorPending());
}

TEST_F(ViewsTest, BadQueryIsReportedAsMsiAccessError) {
  if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  auto db = Open("basic");
  ASSERT_TRUE(db);
  std::shared_ptr<msi::View> view;
  QuorvexOpenView(view, db, "SELECT `Nope` FROM `File` WHERE", "Common_MsiFunctions", 580);
  EXPECT_FALSE(view);
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0].title, "Msi Access Error");
  EXPECT_EQ(ui->messages[0].buttons, ui::Buttons::kYesNoCancel);
  EXPECT_EQ(ui->messages[0].text,
            "CheckErrorTrans Common_MsiFunctions - Line no  580\r\r"
            "Msi API Error  Err Number=-2147467259 Hex 80004005: OpenView,Sql\r"
            "MsiFile := OpenType :=Not Opened\r\n"
            "1: 2232 2:  3:  4: SELECT `Nope` FROM `File` WHERE \r\r"
            "Press \"YES\" to Exit Quorvex \"NO\" to Continue");
  EXPECT_FALSE(ErrorPending());
}

TEST_F(ViewsTest, QueriesWithoutQuotedTableSkipTheTableTest) {
  if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  auto db = Open("basic");
  ASSERT_TRUE(db);
  std::shared_ptr<msi::View> view;
  QuorvexOpenView(view, db, "SELECT Property FROM Property WHERE Property = 'ALLUSERS'", "Common",
                  1);
  ASSERT_TRUE(view);
  ASSERT_TRUE(view->Execute());
  auto record = view->Fetch();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->StringData(1), "ALLUSERS");
  oViewClose(view);
  EXPECT_FALSE(view);
  // Without back-quotes a missing table reaches the installer, which reports it.
  QuorvexOpenView(view, db, "SELECT * FROM Registry", "Common", 2);
  EXPECT_FALSE(view);
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].text.find("1: 2228 2:  3: Registry 4: SELECT * FROM Registry "),
            std::string::npos);
}

TEST_F(ViewsTest, TableExistsAnswersForStoredAndSystemTables) {
  EXPECT_FALSE(TableExists(nullptr, "File"));
  if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  auto db = Open("module");
  ASSERT_TRUE(db);
  const struct {
    const char* table;
    bool exists;
  } cases[] = {{"File", true},     {"ModuleSignature", true}, {"Media", false},
               {"file", false},    {"_Tables", true},         {"_columns", true},
               {"_STREAMS", true}, {"_Storage", true},        {"Property", false}};
  for (const auto& c : cases) EXPECT_EQ(TableExists(db, c.table), c.exists) << c.table;
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(ViewsTest, ClosingNothingIsHarmless) {
  std::shared_ptr<msi::View> view;
  oViewClose(view);
  EXPECT_FALSE(view);
}

}  // namespace
}  // namespace qv
