// Runs quorvex-cli short / long on real folders.

#include <gtest/gtest.h>

#include <string>

#include "cli/cli_runner.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

struct CliRun {
  int exitCode = -1;
  std::string out;  ///< standard output and standard error together
};

// Runs without a temp folder of its own: a new folder in the temp folder would change the
// short names the tests compare.
CliRun RunCli(const std::string& command, const std::string& path) {
  CliRun run;
  run.out = test::RunCommand(
      test::ShellQuote(QV_CLI_PATH) + " " + command + " " + test::ShellQuote(path) + " 2>&1",
      &run.exitCode);
  return run;
}

// The Windows form of a host path on the built-in profile, where Z: is '/'.
std::string OnDriveZ(const std::string& hostPath) {
  std::string out = "Z:";
  for (char c : hostPath) out += c == '/' ? '\\' : c;
  return out;
}

class CliPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_pkg = m_home.dir().Write("Setup Packages/setup.msix", "x");
    m_home.dir().Write("Setup Packages/setup.msi", "x");
    m_shortDir = RunCli("short", m_home.dir().path()).out;
    ASSERT_FALSE(m_shortDir.empty());
    m_shortDir.pop_back();  // the line end
  }
  test::IsolatedHome m_home;
  std::string m_pkg;
  std::string m_shortDir;  // the short host form of the test folder
};

TEST_F(CliPathsTest, HostPathsGiveHostPaths) {
  CliRun shortRun = RunCli("short", m_pkg);
  EXPECT_EQ(shortRun.exitCode, 0);
  EXPECT_EQ(shortRun.out, m_shortDir + "/SETUPP~1/SETUP~1.MSI\n");
  CliRun longRun = RunCli("long", m_shortDir + "/SETUPP~1/SETUP~1.MSI");
  EXPECT_EQ(longRun.exitCode, 0);
  EXPECT_EQ(longRun.out, m_pkg + "\n");
}

TEST_F(CliPathsTest, WindowsPathsGiveWindowsPaths) {
  CliRun shortRun = RunCli("short", OnDriveZ(m_pkg));
  EXPECT_EQ(shortRun.exitCode, 0);
  EXPECT_EQ(shortRun.out, OnDriveZ(m_shortDir) + "\\SETUPP~1\\SETUP~1.MSI\n");
  CliRun longRun = RunCli("long", OnDriveZ(m_shortDir) + "\\setupp~1\\setup.msi");
  EXPECT_EQ(longRun.exitCode, 0);
  EXPECT_EQ(longRun.out, OnDriveZ(m_home.dir().path()) + "\\Setup Packages\\setup.msi\n");
}

TEST_F(CliPathsTest, MissingPathFailsWithAMessage) {
  std::string missing = m_home.dir().Sub("Setup Packages/none.msi");
  CliRun run = RunCli("short", missing);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "quorvex-cli: '" + missing +
                         "' does not exist (or its short form is longer than 255 characters)\n");
  EXPECT_EQ(RunCli("long", "").exitCode, 2);
}

}  // namespace
}  // namespace qv
