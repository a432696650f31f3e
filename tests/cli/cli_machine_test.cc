// quorvex-cli machine: what it prints of a machine with products and a problem.

#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "guids/guid_machine.h"

namespace qv {
namespace {

// The machine's values are the platform's; here how the command lists them and counts the
// products by their state.
TEST(CliMachineTest, ListsDrivesRegistryProductsAndProblems) {
  test::IsolatedHome home;
  const test::TempDir& dir = home.dir();
  const std::string prefix =
      test::WriteWinePrefix(dir, "prefix", test::GuidMachineHive(), test::GuidUserHive());
  test::ScopedEnv env;
  env.Set("WINEPREFIX", prefix);
  env.Set("QUORVEX_REGISTRY_IMPORT", dir.Sub("lost.reg"));
  const test::CliResult run = test::RunCli(dir, {"machine"});
  EXPECT_EQ(run.status, 0);
  const std::string lost = dir.Sub("lost.reg") + ": no such file";
  // Start-up says each problem once on standard error, whatever the command.
  EXPECT_EQ(run.err, "quorvex-cli: " + lost + "\n");
  const std::vector<std::string> lines = test::Lines(run.out);
  ASSERT_EQ(lines.size(), 14u) << run.out;
  EXPECT_EQ(lines[0], "kind: Wine prefix " + prefix);
  EXPECT_EQ(lines[1], "drives: C: " + prefix + "/drive_c, Z: /");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end()),
            (std::vector<std::string>{
                "registry:", "  HKLM\t" + prefix + "/system.reg", "  HKCU\t" + prefix + "/user.reg",
                "  settings\t" + home.ConfigHome() + "/quorvex", "installed products: 1",
                "advertised products: 1", "problems:", "  " + lost}));
}

}  // namespace
}  // namespace qv
