#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_runner.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

using test::RunCommand;
using test::ShellQuote;

using test::CliResult;
using test::Lines;
using test::RunCli;

TEST(CliPackageTest, ExportMatchesMsiinfoForEveryTableOfEveryFixture) {
  if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  test::IsolatedHome home;
  test::TempDir dir;
  for (const std::string& name : test::FixtureNames()) {
    if (name == "patch") continue;
    const std::string path = test::BuildFixture(dir, name);
    ASSERT_FALSE(path.empty()) << name;
    std::vector<std::string> expected;
    for (const std::string& t : Lines(RunCommand("msiinfo tables " + ShellQuote(path)))) {
      if (t != "_SummaryInformation" && t != "_ForceCodepage") expected.push_back(t);
    }
    const CliResult tables = RunCli(dir, {"tables", path});
    ASSERT_EQ(tables.status, 0) << tables.err;
    EXPECT_EQ(Lines(tables.out), expected) << name;
    for (const std::string& table : expected) {
      const std::string reference =
          RunCommand("cd " + ShellQuote(dir.path()) + " && msiinfo export " + ShellQuote(path) +
                     " " + ShellQuote(table));
      const CliResult ours = RunCli(dir, {"export", path, table});
      EXPECT_EQ(ours.status, 0) << ours.err;
      EXPECT_EQ(ours.out, reference) << name << " " << table;
    }
  }
}

TEST(CliPackageTest, QueryPrintsRowsWithTabs) {
  if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  test::IsolatedHome home;
  test::TempDir dir;
  const std::string path = test::BuildFixture(dir, "basic");
  ASSERT_FALSE(path.empty());
  const CliResult r = RunCli(
      dir, {"query", path, "SELECT `File`, `FileSize`, `Version` FROM `File` ORDER BY `File`"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "App.exe\t123456\t2.5.1.0\nManual.pdf\t2048\t\nReadme.txt\t17\t\n");
}

TEST(CliPackageTest, FailuresAndWrongUsage) {
  if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  test::IsolatedHome home;
  test::TempDir dir;
  const std::string path = test::BuildFixture(dir, "basic");
  ASSERT_FALSE(path.empty());
  const std::string text = dir.Write("notes.msi", "not a package");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"tables"}, 2, "usage: quorvex-cli tables PKG\n"},
      {{"export", path}, 2, "usage: quorvex-cli export PKG TABLE\n"},
      {{"query", path, "a", "b"}, 2, "usage: quorvex-cli query PKG SQL\n"},
      {{"tables", text},
       1,
       "quorvex-cli: cannot open '" + text +
           "' as an installer package: compound file, byte 13: file shorter than its header\n"},
      {{"export", path, "Registry"}, 1, "quorvex-cli: no table 'Registry' in " + path + "\n"},
      {{"query", path, "SELECT * FROM `Registry`"},
       1,
       "quorvex-cli: query failed: 1: 2228 2:  3: Registry 4: SELECT * FROM `Registry`\n"},
      {{"query", path, "SELECT FROM `File`"},
       1,
       "quorvex-cli: query failed: 1: 2232 2:  3: FROM 4: SELECT FROM `File`\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    const CliResult r = RunCli(dir, args);
    EXPECT_EQ(r.status, c.status) << args[0];
    EXPECT_EQ(r.err, c.err) << args[0];
  }
}

}  // namespace
}  // namespace qv
