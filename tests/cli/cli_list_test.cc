// quorvex-cli list: the rows of the file list as tab-separated lines and as JSON objects.

#include <filesystem>

#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace qv {
namespace {

// The cells themselves are the file list's; here how the command writes them.
TEST(CliListTest, PrintsEveryCellAsTextOrJson) {
  test::IsolatedHome home;
  test::TempDir fixtures;
  test::ScopedEnv env;
  env.Set("LC_ALL", "C");
  QV_FIXTURE_OR_SKIP(basic, fixtures, "basic");
  const std::string folder = home.dir().Sub("pkgs");
  std::filesystem::create_directory(folder);
  std::filesystem::copy_file(basic, folder + "/app.msi");
  const std::string log =
      home.dir().Write("pkgs/install.log",
                       "=== Verbose logging started: 1/31/2024 ===\r\n"
                       "MSI (c): Package name extracted from path: tab\there \"quoted\"\r\n");

  const test::CliResult text = test::RunCli(home.dir(), {"list", folder});
  EXPECT_EQ(text.status, 0) << text.err;
  const std::vector<std::string> lines = test::Lines(text.out);
  ASSERT_EQ(lines.size(), 3u) << text.out;
  EXPECT_EQ(lines[1].substr(0, lines[1].rfind('\t', lines[1].rfind('\t') - 1)),
            "App.Msi\tMSI\tCaf\xC3\xA9 Cr\xC3\xA8me Installer\t2.5.1\tEnglish (United "
            "States)\t{6B1D1A7E-3C2B-4E7A-9E55-0C8B2F7A1D42}");
  // A tab inside a cell would split it: it is printed as a blank.
  EXPECT_EQ(lines[2].substr(0, lines[2].find("\t\t")),
            "Install.Log\tLOG\ttab here \"quoted\"\tInstall");

  const test::CliResult json = test::RunCli(home.dir(), {"list", log, "--json"});
  EXPECT_EQ(json.status, 0) << json.err;
  const std::string size = std::to_string(std::filesystem::file_size(log));
  EXPECT_EQ(json.out.rfind("[\n  {\"File Name\": \"Install.Log\", \"Type\": \"LOG\", "
                           "\"Application\": \"tab\\there \\\"quoted\\\"\", \"Version\": "
                           "\"Install\", \"Language\": \"\", \"Guid\": \"\", \"DateTime\": \"",
                           0),
            0u)
      << json.out;
  EXPECT_TRUE(json.out.ends_with("\", \"Size\": \"" + size + "\"}\n]\n")) << json.out;
}

}  // namespace
}  // namespace qv
