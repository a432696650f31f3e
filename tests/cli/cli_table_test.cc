// quorvex-cli as scripts see it: for each command line, the exit status and the first line it
// prints (standard output, or standard error when it printed nothing there).

#include <fcntl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "cli/cli_runner.h"
#include "support/locking_child.h"

namespace qv {
namespace {

struct CliCase {
  std::vector<std::string> args;  ///< "$basic", "$held", ... stand for the fixtures' paths
  std::string input;              ///< standard input
  int status;
  std::string firstLine;
};

// 3,000 paths on standard input: over what one argument may hold (128 KiB).
std::string ManyPaths() {
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    text +=
        "\"C:\\Program Files (x86)\\Quorvex Sample\\bin\\Application.exe\" /log \"C:\\Program "
        "Files (x86)\\Quorvex Sample\\Documentation\\Manual.pdf\"\n";
  }
  return text;
}

class CliTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
    for (const char* name : {"basic", "patch", "transform", "japanese"}) {
      m_paths[std::string("$") + name] = test::BuildFixture(m_dir, name);
      ASSERT_FALSE(m_paths["$" + std::string(name)].empty()) << name;
    }
    m_paths["$held"] = m_dir.Sub("held.msi");
    std::filesystem::copy_file(m_paths["$basic"], m_paths["$held"]);
  }

  // Runs quorvex-cli; returns its exit status and the first line it printed.
  std::pair<int, std::string> Run(const CliCase& c) {
    std::string command = test::ShellQuote(QV_CLI_PATH);
    for (const std::string& arg : c.args) {
      command += " " + test::ShellQuote(m_paths.count(arg) ? m_paths[arg] : arg);
    }
    const std::string in = m_dir.Write("stdin.txt", c.input);
    const std::string err = m_dir.Sub("stderr.txt");
    int status = -1;
    std::string out = test::RunCommand(
        command + " <" + test::ShellQuote(in) + " 2>" + test::ShellQuote(err), &status);
    if (out.empty()) out = test::ReadFile(err);
    std::string first = out.substr(0, out.find('\n'));
    if (!first.empty() && first.back() == '\r') first.pop_back();  // IDT lines end in CR LF
    return {status, first};
  }

  test::IsolatedHome m_home;
  test::TempDir m_dir;
  std::map<std::string, std::string> m_paths;
};

TEST_F(CliTableTest, ExitStatusAndFirstLineOfEveryKindOfRun) {
  const std::string usage = "usage: quorvex-cli COMMAND ARGS...";
  const std::string app = "C:\\Program Files (x86)\\Quorvex Sample\\bin\\Application.exe";
  const CliCase cases[] = {
      // Help and version, before or after any command.
      {{}, "", 2, usage},
      {{"--version"}, "", 0, "quorvex-cli 0.1"},
      {{"-h"}, "", 0, usage},
      {{"--help"}, "", 0, usage},
      {{"help"}, "", 0, usage},
      {{"help", "decode"}, "", 0, "usage: quorvex-cli decode PKG TEXT"},
      {{"decode", "--help"}, "", 0, "usage: quorvex-cli decode PKG TEXT"},
      {{"encode", "$basic", "-h"}, "", 0, "usage: quorvex-cli encode PKG TEXT"},
      {{"tables", "help"}, "", 0, "usage: quorvex-cli tables PKG"},
      {{"short", "-h"}, "", 0, "usage: quorvex-cli short PATH"},
      {{"help", "frobnicate"}, "", 2, "quorvex-cli: no command 'frobnicate'"},
      {{"frobnicate"}, "", 2, "quorvex-cli: unknown command 'frobnicate'"},
      {{"tables"}, "", 2, "usage: quorvex-cli tables PKG"},
      // Packages, patches and transforms, as msiinfo lists them.
      {{"tables", "$basic"}, "", 0, "_SummaryInformation"},
      {{"tables", "$patch"}, "", 0, "_SummaryInformation"},
      {{"export", "$transform", "Property"}, "", 0, "Property\tValue"},
      {{"export", "$patch", "_SummaryInformation"}, "", 0, "PropertyId\tValue"},
      {{"query", "$transform",
        "SELECT `Value` FROM `Property` WHERE `Property` = 'ProductVersion'"},
       "",
       0,
       "1.0.1"},
      {{"query", "$basic", "SELECT `File` FROM `File` WHERE"},
       "",
       1,
       "quorvex-cli: query failed: the query ends where more was expected (error record 1: 2232 "
       "2:  3:  4: SELECT `File` FROM `File` WHERE)"},
      // Texts from standard input, of any length.
      {{"decode", "$basic", "-"},
       "[ProgramFilesFolder]a.txt\n",
       0,
       "C:\\Program Files (x86)\\a.txt"},
      {{"encode", "$basic", "-"}, ManyPaths(), 0, "\"[#App.exe]\" /log \"[DocDir]Manual.pdf\""},
      {{"encode", "$basic", app}, "", 0, "[#App.exe]"},
      // An installer error reported on the way fails the run, whatever was printed.
      {{"decode", "$japanese", "[INSTALLDIR]x"}, "", 1, "INSTALLDIRx"},
      // A package another program holds is read from a copy.
      {{"decode", "$held", "[#App.exe]"}, "", 0, app},
      {{"encode", "$held", app}, "", 0, "[#App.exe]"},
      {{"decode", "$basic"}, "", 2, "usage: quorvex-cli decode PKG TEXT"},
  };
  test::LockingChild holder(m_paths["$held"], F_WRLCK);
  ASSERT_TRUE(holder.locked());
  for (const CliCase& c : cases) {
    const auto [status, firstLine] = Run(c);
    std::string shown;
    for (const std::string& arg : c.args) shown += arg + " ";
    EXPECT_EQ(status, c.status) << shown;
    EXPECT_EQ(firstLine, c.firstLine) << shown;
  }
  // The copies read for the held package are gone.
  EXPECT_FALSE(std::filesystem::exists(m_dir.Sub("held.CopyOf.Msi")));
}

}  // namespace
}  // namespace qv
