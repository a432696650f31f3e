// quorvex-cli as scripts see it: for each command line, the exit status and the first line it
// prints (standard output, or standard error when it printed nothing there); and the whole of
// what "list" prints.

#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <map>
#include <sstream>
#include <utility>

#include "guids/guid_machine.h"
#include "support/data_rows.h"
#include "support/locking_child.h"

namespace qv {
namespace {

struct CliCase {
  std::vector<std::string> args;  ///< "$basic", "$dir", ... stand for the paths of SetUp
  int status = -1;
  std::string firstLine;  ///< with the same stand-ins
  std::string env;        ///< "NAME=value" set for the run, with the same stand-ins
  std::string input;      ///< standard input
  int line = 0;           ///< where the case ends in the file
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

// The words of a command line: split at blanks, with '...' and "..." taken as they stand.
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  while (in >> std::ws && !in.eof()) {
    const char quote = static_cast<char>(in.peek());
    if (quote == '\'' || quote == '"') {
      in >> std::quoted(words.emplace_back(), quote, '\0');  // no escapes: paths keep their '\'
    } else {
      in >> words.emplace_back();
    }
  }
  return words;
}

// The runs of tests/data/cli/runs.txt; its header says how a run is written.
std::vector<CliCase> ReadCases() {
  std::vector<CliCase> cases;
  std::istringstream in(test::DataFile("cli/runs.txt"));
  CliCase next;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.starts_with("run:")) next.args = Words(line.substr(4));
    if (line.starts_with("env: ")) next.env = line.substr(5);
    if (line.starts_with("in: ")) next.input = line.substr(4) + "\n";
    if (!line.starts_with("out: ")) continue;
    next.status = std::stoi(line.substr(5));
    next.firstLine = line.substr(line.find(' ', 5) + 1);
    next.line = number;
    cases.push_back(std::exchange(next, CliCase{}));
  }
  return cases;
}

class CliTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
    for (const char* name : {"basic", "patch", "transform", "japanese", "session"}) {
      m_paths[name] = test::BuildFixture(m_dir, name);
      ASSERT_FALSE(m_paths[name].empty()) << name;
    }
    m_paths["held"] = m_dir.Sub("held.msi");
    std::filesystem::copy_file(m_paths["basic"], m_paths["held"]);
    m_paths["notes"] = m_dir.Write("notes.msi", "plain text\n");
    m_paths["dir"] = m_dir.path();
    std::filesystem::create_directory(m_dir.Sub("empty"));
    m_paths["src"] = "Z:" + m_dir.path() + "/";  // the folder on drive Z:, where Z: is '/'
    std::replace(m_paths["src"].begin(), m_paths["src"].end(), '/', '\\');
    m_paths["manypaths"] = ManyPaths();
    m_paths["guids"] =
        test::WriteWinePrefix(m_dir, "prefix", test::GuidMachineHive(), test::GuidUserHive());
    ASSERT_TRUE(test::LayCachedPackage(m_dir, m_paths["guids"] + "/drive_c"));
    // Drive C of the built-in profile: setup.msi is its own short name, setup.msix is not.
    const std::string driveC = m_home.DataHome() + "/quorvex/drive_c/Setup Packages/";
    std::filesystem::create_directories(driveC);
    for (const char* name : {"setup.msi", "setup.msix"}) std::ofstream(driveC + name) << "x";
  }

  // The text with every "$name" replaced by the path SetUp made for it.
  std::string Expand(std::string text) const {
    for (size_t at = text.find('$'); at != std::string::npos; at = text.find('$', at + 1)) {
      for (const auto& [name, value] : m_paths) {
        if (text.compare(at + 1, name.size(), name) == 0) {
          text.replace(at, name.size() + 1, value);
          at += value.size() - 1;
          break;
        }
      }
    }
    return text;
  }

  // Runs quorvex-cli; returns its exit status and what it printed.
  std::pair<int, std::string> Run(const CliCase& c) {
    test::ScopedEnv env;
    if (!c.env.empty()) {
      const std::string setting = Expand(c.env);
      env.Set(setting.substr(0, setting.find('=')), setting.substr(setting.find('=') + 1));
    }
    std::string command = test::ShellQuote(QV_CLI_PATH);
    for (const std::string& arg : c.args) command += " " + test::ShellQuote(Expand(arg));
    const std::string in = m_dir.Write("stdin.txt", Expand(c.input));
    const std::string err = m_dir.Sub("stderr.txt");
    int status = -1;
    std::string out = test::RunCommand(
        command + " <" + test::ShellQuote(in) + " 2>" + test::ShellQuote(err), &status);
    if (out.empty()) out = test::ReadFile(err);
    return {status, out};
  }

  test::IsolatedHome m_home;
  test::TempDir m_dir;
  std::map<std::string, std::string> m_paths;
};

TEST_F(CliTableTest, ExitStatusAndFirstLineOfEveryKindOfRun) {
  const std::vector<CliCase> cases = ReadCases();
  ASSERT_GE(cases.size(), 60u) << "tests/data/cli/runs.txt not read";
  test::LockingChild holder(m_paths["held"], F_WRLCK);
  ASSERT_TRUE(holder.locked());
  for (const CliCase& c : cases) {
    SCOPED_TRACE("runs.txt:" + std::to_string(c.line));
    const auto [status, out] = Run(c);
    std::string firstLine = out.substr(0, out.find('\n'));
    if (firstLine.ends_with('\r')) firstLine.pop_back();  // IDT lines end in CR LF
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(firstLine, Expand(c.firstLine));
  }
  // The copies read for the held package are gone.
  EXPECT_FALSE(std::filesystem::exists(m_dir.Sub("held.CopyOf.Msi")));
}

// The cells themselves are the file list's; here how "list" writes them.
TEST_F(CliTableTest, ListPrintsEveryCellAsTextOrJson) {
  const std::string log =
      m_dir.Write("pkgs/install.log",
                  "=== Verbose logging started: 1/31/2024 ===\r\n"
                  "MSI (c): Package name extracted from path: tab\there \"quoted\"\r\n");
  m_dir.Write("pkgs/notes.txt", "not listed");
  const std::string size = std::to_string(std::filesystem::file_size(log));
  const auto [status, text] = Run({.args = {"list", m_dir.Sub("pkgs")}, .env = "LC_ALL=C"});
  EXPECT_EQ(status, 0) << text;
  // The heading, then the one row; a tab inside a cell would split it: it is printed as a blank.
  const std::string row = text.substr(text.find('\n') + 1);
  EXPECT_EQ(row.substr(0, row.find("\t\t")), "Install.Log\tLOG\ttab here \"quoted\"\tInstall");
  EXPECT_TRUE(row.ends_with("\t" + size + "\n")) << text;

  const auto [jsonStatus, json] = Run({.args = {"list", log, "--json"}, .env = "LC_ALL=C"});
  EXPECT_EQ(jsonStatus, 0) << json;
  EXPECT_EQ(json.rfind("[\n  {\"File Name\": \"Install.Log\", \"Type\": \"LOG\", "
                       "\"Application\": \"tab\\there \\\"quoted\\\"\", \"Version\": "
                       "\"Install\", \"Language\": \"\", \"Guid\": \"\", \"DateTime\": \"",
                       0),
            0u)
      << json;
  EXPECT_TRUE(json.ends_with("\", \"Size\": \"" + size + "\"}\n]\n")) << json;
}

}  // namespace
}  // namespace qv
