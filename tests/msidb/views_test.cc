#include "msidb/views.h"

#include <gtest/gtest.h>

#include "platform/base/pending_error.h"
#include "platform/msi/engine_installer.h"
#include "support/fixture_packages.h"
#include "support/fresh_program_state.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

class ViewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Program().InstallerObject = msi::MakeEngineInstaller();
    if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  }
  std::shared_ptr<msi::Database> Open(const std::string& fixture) {
    const std::string path = test::BuildFixture(m_dir, fixture);
    return path.empty() ? nullptr : Program().InstallerObject->OpenDatabase(path, 0);
  }
  test::FreshProgramState fresh;
  test::ScopedScriptedUi ui;
  test::TempDir m_dir;
  std::shared_ptr<msi::View> view;
};

TEST_F(ViewsTest, MissingTableGivesNoViewAndNoMessage) {
  auto db = Open("japanese");  // has no Directory table
  ASSERT_TRUE(db);
  QuorvexOpenView(view, db, "SELECT `Directory`, `DefaultDir` FROM `Directory`",
                  "Common_MsiFunctions", 780);
  EXPECT_FALSE(view);
  EXPECT_TRUE(ui->messages.empty());
  EXPECT_FALSE(ErrorPending());
}

TEST_F(ViewsTest, BadQueriesAreReportedAndUnquotedTablesSkipTheTableTest) {
  auto db = Open("basic");
  ASSERT_TRUE(db);
  QuorvexOpenView(view, db, "SELECT `Nope` FROM `File` WHERE", "Common_MsiFunctions", 580);
  EXPECT_FALSE(view);
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0].title, "Msi Access Error");
  EXPECT_NE(ui->messages[0].text.find("Line no  580\r\r"), std::string::npos);
  EXPECT_NE(ui->messages[0].text.find("1: 2232 2:  3:  4: SELECT `Nope` FROM `File` WHERE \r\r"),
            std::string::npos);
  EXPECT_FALSE(ErrorPending());
  QuorvexOpenView(view, db, "SELECT Property FROM Property WHERE Property = 'ALLUSERS'", "Common",
                  1);
  ASSERT_TRUE(view && view->Execute());
  auto record = view->Fetch();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->StringData(1), "ALLUSERS");
  oViewClose(view);
  EXPECT_FALSE(view);
  oViewClose(view);  // closing nothing is harmless
  // Without back-quotes a missing table reaches the installer, which reports it.
  QuorvexOpenView(view, db, "SELECT * FROM Registry", "Common", 2);
  EXPECT_FALSE(view);
  ASSERT_EQ(ui->messages.size(), 2u);
  EXPECT_NE(ui->messages[1].text.find("1: 2228 2:  3: Registry 4: SELECT * FROM Registry "),
            std::string::npos);
}

TEST_F(ViewsTest, TableExistsAnswersForStoredAndSystemTables) {
  EXPECT_FALSE(TableExists(nullptr, "File"));
  auto db = Open("module");
  ASSERT_TRUE(db);
  const std::pair<const char*, bool> cases[] = {
      {"File", true}, {"Media", false}, {"file", false}, {"_Tables", true}, {"_STREAMS", true}};
  for (const auto& [table, exists] : cases) EXPECT_EQ(TableExists(db, table), exists) << table;
  EXPECT_TRUE(ui->messages.empty());
}

}  // namespace
}  // namespace qv
