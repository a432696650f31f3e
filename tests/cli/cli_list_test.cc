// Runs quorvex-cli list on a folder of installer files, a single file and a wrong path.

#include <filesystem>

#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace qv {
namespace {

constexpr const char* kHeader =
    "File Name\tType\tApplication\tVersion\tLanguage\tGuid\tDateTime\tSize";
constexpr const char* kLog =
    "=== Verbose logging started: 1/31/2024 ===\r\n"
    "MSI (c): Package name extracted from path: tab\there \"quoted\"\r\n";

class CliListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_env.Set("LC_ALL", "C");
    m_home.dir().Write("pkgs/notes.txt", "not listed");
    m_log = m_home.dir().Write("pkgs/install.log", kLog);
  }
  std::string Folder() const { return m_home.dir().Sub("pkgs"); }
  test::IsolatedHome m_home;
  test::ScopedEnv m_env;
  test::TempDir m_fixtures;
  std::string m_log;
};

// The cells themselves are the file list's; the command prints every one of them.
TEST_F(CliListTest, PrintsTheRowsOfAFolderUnderTheColumnTitles) {
  QV_FIXTURE_OR_SKIP(basic, m_fixtures, "basic");
  std::filesystem::copy_file(basic, Folder() + "/app.msi");
  const test::CliResult run = test::RunCli(m_home.dir(), {"list", Folder()});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = test::Lines(run.out);
  ASSERT_EQ(lines.size(), 3u) << run.out;
  EXPECT_EQ(lines[0], kHeader);
  EXPECT_EQ(lines[1].substr(0, lines[1].rfind('\t', lines[1].rfind('\t') - 1)),
            "App.Msi\tMSI\tCaf\xC3\xA9 Cr\xC3\xA8me Installer\t2.5.1\tEnglish (United "
            "States)\t{6B1D1A7E-3C2B-4E7A-9E55-0C8B2F7A1D42}");
  // A tab inside a cell would split it: it is printed as a blank.
  EXPECT_EQ(lines[2].substr(0, lines[2].find("\t\t")),
            "Install.Log\tLOG\ttab here \"quoted\"\tInstall");
}

TEST_F(CliListTest, PrintsJsonObjectsKeyedByTheColumnTitles) {
  const test::CliResult run = test::RunCli(m_home.dir(), {"list", Folder(), "--json"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string size = std::to_string(std::filesystem::file_size(m_log));
  EXPECT_NE(
      run.out.find("[\n  {\"File Name\": \"Install.Log\", \"Type\": \"LOG\", \"Application\": "
                   "\"tab\\there \\\"quoted\\\"\", \"Version\": \"Install\", \"Language\": "
                   "\"\", \"Guid\": \"\", \"DateTime\": \""),
      std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\", \"Size\": \"" + size + "\"}\n]\n"), std::string::npos) << run.out;
}

TEST_F(CliListTest, AnEmptyFolderGivesTheHeaderOrAnEmptyArray) {
  const std::string empty = m_home.dir().Sub("empty");
  std::filesystem::create_directory(empty);
  EXPECT_EQ(test::RunCli(m_home.dir(), {"list", empty}).out, std::string(kHeader) + "\n");
  EXPECT_EQ(test::RunCli(m_home.dir(), {"list", "--json", empty}).out, "[]\n");
}

TEST_F(CliListTest, ListsOneFileAsTheWindowDoes) {
  const test::CliResult run = test::RunCli(m_home.dir(), {"list", Folder() + "/notes.txt"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = test::Lines(run.out);
  ASSERT_EQ(lines.size(), 2u) << run.out;
  EXPECT_EQ(lines[1].substr(0, lines[1].find("\t\t")), "Notes.Txt\tTXT");
}

TEST_F(CliListTest, APathThatIsNeitherFolderNorFileFails) {
  const std::string missing = Folder() + "/none";
  const test::CliResult run = test::RunCli(m_home.dir(), {"list", missing});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "quorvex-cli: " + missing + " is neither a folder nor a file\n");
  EXPECT_EQ(test::RunCli(m_home.dir(), {"list"}).status, 2);
  EXPECT_EQ(test::RunCli(m_home.dir(), {"list", Folder(), Folder()}).status, 2);
}

}  // namespace
}  // namespace qv
