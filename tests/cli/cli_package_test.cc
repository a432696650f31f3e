#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace qv {
namespace {

using test::CliResult;
using test::RunCli;

class CliPackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
    m_path = test::BuildFixture(m_dir, "basic");
    ASSERT_FALSE(m_path.empty());
  }
  test::IsolatedHome m_home;
  test::TempDir m_dir;
  std::string m_path;
};

// The engine's reading of every table is compared with msiinfo in the engine's tests; these
// check what each command prints.
TEST_F(CliPackageTest, TablesExportAndQueryPrintTheirRows) {
  const CliResult tables = RunCli(m_dir, {"tables", m_path});
  ASSERT_EQ(tables.status, 0) << tables.err;
  EXPECT_EQ(tables.out,
            "_SummaryInformation\n_ForceCodepage\nBinary\nComponent\nDirectory\nFile\nMedia\n"
            "Numbers\nProperty\n");
  const CliResult exported = RunCli(m_dir, {"export", m_path, "Media"});
  EXPECT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.out,
            test::RunCommand("cd " + test::ShellQuote(m_dir.path()) + " && msiinfo export " +
                             test::ShellQuote(m_path) + " Media"));
  const CliResult r = RunCli(
      m_dir, {"query", m_path, "SELECT `File`, `FileSize`, `Version` FROM `File` ORDER BY `File`"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "App.exe\t123456\t2.5.1.0\nManual.pdf\t2048\t\nReadme.txt\t17\t\n");
}

TEST_F(CliPackageTest, FailuresAndWrongUsage) {
  const std::string text = m_dir.Write("notes.msi", "not a package");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"tables"}, 2, "usage: quorvex-cli tables PKG\n"},
      {{"export", m_path}, 2, "usage: quorvex-cli export PKG TABLE\n"},
      {{"query", m_path, "a", "b"}, 2, "usage: quorvex-cli query PKG SQL\n"},
      {{"tables", text},
       1,
       "quorvex-cli: cannot open '" + text +
           "' as an installer package: compound file, byte 13: file shorter than its header\n"},
      {{"export", m_path, "Registry"}, 1, "quorvex-cli: no table 'Registry' in " + m_path + "\n"},
      {{"query", m_path, "SELECT FROM `File`"},
       1,
       "quorvex-cli: query failed: unexpected 'FROM' in the query (error record 1: 2232 2:  3: "
       "FROM 4: SELECT FROM `File`)\n"},
      {{"query", m_path, "SELECT * FROM `Nothing`"},
       1,
       "quorvex-cli: query failed: no table 'Nothing' in the package (error record 1: 2228 2:  "
       "3: Nothing 4: SELECT * FROM `Nothing`)\n"},
      {{"query", m_path, "SELECT `Size` FROM `File`"},
       1,
       "quorvex-cli: query failed: no column 'Size' in the query's table (error record 1: 2235 "
       "2:  3: Size 4: SELECT `Size` FROM `File`)\n"},
      {{"query", m_path, "SELECT * FROM"},
       1,
       "quorvex-cli: query failed: the query ends where more was expected (error record 1: 2232 "
       "2:  3:  4: SELECT * FROM)\n"},
  };
  for (const auto& c : cases) {
    const CliResult r = RunCli(m_dir, c.args);
    EXPECT_EQ(r.status, c.status) << c.args[0];
    EXPECT_EQ(r.err, c.err) << c.args[0];
  }
}

}  // namespace
}  // namespace qv
