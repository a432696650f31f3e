// Runs quorvex-cli short / long on real folders.

#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace qv {
namespace {

// Runs without a temp folder of its own (a new folder in the temp folder would change the
// short names compared); standard output and standard error together.
test::CliResult RunTool(const std::string& command, const std::string& path) {
  test::CliResult run;
  run.out = test::RunCommand(
      test::ShellQuote(QV_CLI_PATH) + " " + command + " " + test::ShellQuote(path) + " 2>&1",
      &run.status);
  return run;
}

class CliPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_pkg = m_home.dir().Write("Setup Packages/setup.msix", "x");
    m_home.dir().Write("Setup Packages/setup.msi", "x");
    m_shortDir = RunTool("short", m_home.dir().path()).out;
    ASSERT_FALSE(m_shortDir.empty());
    m_shortDir.pop_back();  // the line end
  }
  void Expect(const std::string& command, const std::string& path, const std::string& out,
              int status = 0) {
    const test::CliResult run = RunTool(command, path);
    EXPECT_EQ(run.status, status) << command << " " << path;
    EXPECT_EQ(run.out, out) << command << " " << path;
  }
  test::IsolatedHome m_home;
  std::string m_pkg;
  std::string m_shortDir;  // the short host form of the test folder
};

// How Windows and host paths map is the platform's; these check what each command prints.
TEST_F(CliPathsTest, ShortAndLongPrintTheOtherForm) {
  Expect("short", m_pkg, m_shortDir + "/SETUPP~1/SETUP~1.MSI\n");
  Expect("long", m_shortDir + "/SETUPP~1/SETUP~1.MSI", m_pkg + "\n");
}

TEST_F(CliPathsTest, MissingPathFailsWithAMessage) {
  const std::string missing = m_home.dir().Sub("Setup Packages/none.msi");
  Expect("short", missing,
         "quorvex-cli: '" + missing +
             "' does not exist (or its short form is longer than 255 characters)\n",
         1);
  EXPECT_EQ(RunTool("long", "").status, 2);
}

}  // namespace
}  // namespace qv
