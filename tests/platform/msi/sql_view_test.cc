#include "platform/msi/sql_view.h"

#include <gtest/gtest.h>

#include "platform/base/pending_error.h"
#include "platform/msi/engine_installer.h"
#include "platform/msi/query_rows.h"
#include "platform/msi/sql_parser.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv::msi {
namespace {

class SqlViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
    m_path = test::BuildFixture(m_dir, "basic");
    ASSERT_FALSE(m_path.empty());
    m_installer = MakeEngineInstaller();
    m_db = m_installer->OpenDatabase(m_path, 0);
    ASSERT_TRUE(m_db);
  }
  test::TempDir m_dir;
  std::string m_path;
  std::shared_ptr<Installer> m_installer;
  std::shared_ptr<Database> m_db;
};

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST_F(SqlViewTest, AnswersQueriesAndReportsErrorRecords) {
  struct Case {
    const char* sql;
    const char* rows;
  } cases[] = {
      {"SELECT * FROM `Numbers`",
       "-5|-1|-100000|100000|negative key;1|-32767|-2147483647|~|min values;"
       "2|32767|2147483647|0|max values;3|~|0|-1|~"},
      {"SELECT `Id` FROM `Numbers` WHERE `Small` IS NULL", "3"},
      {"SELECT `Id` FROM `Numbers` WHERE `Optional` IS NOT NULL AND `Id` > 0", "2;3"},
      {"select `Id` from `Numbers` where `Small` = -1 or `Note` = 'max values'", "-5;2"},
      {"SELECT `Id` FROM `Numbers` WHERE `Id` <> 1 AND `Id` <= 2", "-5;2"},
      {"SELECT `Id` FROM `Numbers` WHERE `Id` > 1 AND `Id` >= -5 AND `Id` < 3", "2"},
      {"SELECT `Id` FROM `Numbers` WHERE `Big` >= -2147483648 AND `Big` <= 2147483647", "-5;1;2;3"},
      {"SELECT `Id`, `Small` FROM `Numbers` ORDER BY `Small`", "3|~;1|-32767;-5|-1;2|32767"},
      {"SELECT File, Sequence FROM File WHERE Component_ = 'HelpDoc' ORDER BY Sequence",
       "Manual.pdf|2;Readme.txt|3"},
      {"SELECT `File`.`FileName` FROM `File` WHERE `File`.`File` = 'App.exe'",
       "APP.EXE|Application.exe"},
      {"SELECT `Component` FROM `Component` WHERE `ComponentId` IS NULL", "EmptyKey"},
      {"SELECT `Id` FROM `Numbers` WHERE `Note` = 5", ""},
      {"SELECT `Name` FROM `_Tables` WHERE `Name` = 'Media'", "Media"},
  };
  for (const auto& c : cases) EXPECT_EQ(QueryRows(*m_db, c.sql), c.rows) << c.sql;
  // Parameters bind to the columns they meet, again on each execute.
  Record params(2);
  params.SetStringData(1, "HelpDoc");
  params.SetIntegerData(2, 3);
  EXPECT_EQ(
      QueryRows(*m_db, "SELECT `File` FROM `File` WHERE `File`.`Component_` = ? AND `Sequence` < ?",
                &params),
      "Manual.pdf");
  Record nullParam(1);
  EXPECT_EQ(QueryRows(*m_db, "SELECT `Id` FROM `Numbers` WHERE `Id` = ?", &nullParam), "");
  // Executing a view again starts over with the new parameters.
  auto view = m_db->OpenView("SELECT `Property` FROM `Property` WHERE `Property` = ?");
  ASSERT_TRUE(view);
  for (const char* name : {"ProductVersion", "ALLUSERS"}) {
    Record p(1);
    p.SetStringData(1, name);
    ASSERT_TRUE(view->Execute(&p));
    auto r = view->Fetch();
    EXPECT_EQ(r ? r->StringData(1) : "<none>", name);
    EXPECT_FALSE(view->Fetch());
  }
  // Bad and hostile queries, and failed opens, give the installer's error records.
  const std::string select = "SELECT `Id` FROM `Numbers` WHERE ";
  const auto nested = [&](int depth) {
    return select + Repeat("(", depth) + "`Id` = 1" + Repeat(")", depth);
  };
  const std::string longName = std::string(100000, 'x');
  const struct {
    std::string sql, outcome;  // the rows, or the error record's fields 1 and 3 (4 is the query)
  } bad[] = {
      {"SELECT * FROM `Nothing`", "1: 2228 3: Nothing"},
      {"SELECT * FROM `File` WHERE", "1: 2232 3: "},
      {"UPDATE `File` SET `File` = 'x'", "1: 2232 3: UPDATE"},
      {"SELECT `Nope` FROM `File`", "1: 2235 3: Nope"},
      {"SELECT * FROM `File` WHERE `X` = 1", "1: 2235 3: X"},
      {"SELECT * FROM `File` ORDER BY `Y`", "1: 2235 3: Y"},
      {"SELECT `Media`.`DiskId` FROM `File`", "1: 2235 3: DiskId"},
      {"SELECT * FROM `" + longName + "`", "1: 2228 3: " + longName},
      // Deep nesting stops at a bound; long chains are no deeper than their parentheses.
      {nested(kMaxSqlNesting + 1), "1: 2232 3: ("},
      {nested(kMaxSqlNesting), "1"},
      {select + Repeat("1=1 OR ", 17000) + "`Id` = 1", "-5;1;2;3"},
      {select + Repeat("`Id` = 2 AND ", 17000) + "1=1", "2"},
      {select + Repeat("`Id` = ? OR ", 40000) + "`Id` = 3", "3"},
  };
  for (const auto& c : bad) {
    ClearPendingError();
    std::string outcome = QueryRows(*m_db, c.sql);
    if (outcome == "<no view>") {
      EXPECT_EQ(PendingError().description, "OpenView,Sql");
      auto record = m_installer->LastErrorRecord();
      ASSERT_TRUE(record) << c.sql.substr(0, 80);
      EXPECT_EQ(record->FormatText(), "1: " + record->StringData(1) + " 2:  3: " +
                                          record->StringData(3) + " 4: " + c.sql + " ");
      outcome = "1: " + record->StringData(1) + " 3: " + record->StringData(3);
      EXPECT_FALSE(m_installer->LastErrorRecord());  // handed out once
    }
    EXPECT_EQ(outcome, c.outcome) << c.sql.substr(0, 80);
  }
  // Failed opens report the file.
  ClearPendingError();
  const std::string missing = m_dir.Sub("missing.msi");
  EXPECT_FALSE(m_installer->OpenDatabase(missing, 0));
  EXPECT_EQ(PendingError().description, "OpenDatabase,DatabasePath,OpenMode");
  EXPECT_EQ(PendingError().number, -2147467259);
  auto record = m_installer->LastErrorRecord();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->FormatText(), "1: 2203 2: " + missing + " 3: -2147287038 ");
  ClearPendingError();
  EXPECT_FALSE(m_db->Commit());
  EXPECT_EQ(PendingError().description, "Commit");
  ClearPendingError();
}

}  // namespace
}  // namespace qv::msi
