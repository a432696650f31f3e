// quorvex-cli list: the rows of the file list as tab-separated lines and as JSON objects.

#include <filesystem>

#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace qv {
namespace {

// The cells themselves are the file list's; here how the command writes them.
TEST(CliListTest, PrintsEveryCellAsTextOrJson) {
  test::IsolatedHome home;
  test::ScopedEnv env;
  env.Set("LC_ALL", "C");
  home.dir().Write("pkgs/notes.txt", "not listed");
  const std::string log =
      home.dir().Write("pkgs/install.log",
                       "=== Verbose logging started: 1/31/2024 ===\r\n"
                       "MSI (c): Package name extracted from path: tab\there \"quoted\"\r\n");

  const std::string size = std::to_string(std::filesystem::file_size(log));
  const test::CliResult text = test::RunCli(home.dir(), {"list", home.dir().Sub("pkgs")});
  EXPECT_EQ(text.status, 0) << text.err;
  // The heading, then the one row; a tab inside a cell would split it: it is printed as a blank.
  const std::string row = text.out.substr(text.out.find('\n') + 1);
  EXPECT_EQ(row.substr(0, row.find("\t\t")), "Install.Log\tLOG\ttab here \"quoted\"\tInstall");
  EXPECT_TRUE(row.ends_with("\t" + size + "\n")) << text.out;

  const test::CliResult json = test::RunCli(home.dir(), {"list", log, "--json"});
  EXPECT_EQ(json.status, 0) << json.err;
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
