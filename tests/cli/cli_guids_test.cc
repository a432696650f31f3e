// Runs quorvex-cli guid pack / unpack / identify on a Wine prefix with registered products.

#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "guids/guid_machine.h"
#include "platform/machine/machine_imports.h"
#include "support/test_machine.h"

namespace qv {
namespace {

using namespace test::guid;

class CliGuidsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
    const std::string prefix = test::WriteWinePrefix(m_home.dir(), "prefix",
                                                     test::GuidMachineHive(), test::GuidUserHive());
    ASSERT_TRUE(test::LayCachedPackage(m_home.dir(), prefix + "/drive_c"));
    m_env.Set("WINEPREFIX", prefix);
  }
  test::CliResult Run(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"guid"};
    all.insert(all.end(), args.begin(), args.end());
    return test::RunCli(m_home.dir(), all);
  }

  test::IsolatedHome m_home;
  test::ScopedEnv m_env;
};

// The descriptions themselves are the identification's; here what the command prints and
// returns.
TEST_F(CliGuidsTest, ConvertsAndIdentifies) {
  const std::string packed = test::PackedForTest(kComponent);
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {{"pack", "{a1b2c3d4-1111-2222-3333-444455556666}"}, 0, packed + "\n", ""},
      {{"unpack", packed}, 0, kComponent + "\n", ""},
      {{"identify", kInstalled}, 0, "Installed Product - Name Installed App\n Version 2.5.1\n", ""},
      {{"identify", kUnknown},
       1,
       "",
       "quorvex-cli: " + kUnknown + " is not known on this machine\n"},
  };
  for (const Case& c : cases) {
    const test::CliResult run = Run(c.args);
    EXPECT_EQ(run.status, c.status) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(run.out, c.out) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(run.err, c.err) << c.args[0] << " " << c.args[1];
  }
}

TEST_F(CliGuidsTest, BadArgumentsAreUsageErrors) {
  const std::string usage = "usage: quorvex-cli guid pack GUID | unpack PACKED | identify GUID\n";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"identify", "A1B2C3D4-1111-2222-3333-444455556666"},
       "quorvex-cli: 'A1B2C3D4-1111-2222-3333-444455556666' is not a GUID in the form "
       "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}\n"},
      {{"unpack", kComponent},
       "quorvex-cli: '" + kComponent + "' is not a packed GUID (32 hexadecimal digits)\n"},
      {{"identify"}, usage},
      {{"frob", kComponent}, usage},
  };
  for (const auto& [args, err] : cases) {
    const test::CliResult run = Run(args);
    EXPECT_EQ(run.status, 2) << err;
    EXPECT_EQ(run.out, "") << err;
    EXPECT_EQ(run.err, err);
  }
}

// A registry export that cannot be read is said once, on standard error, and the command
// runs on without it.
TEST_F(CliGuidsTest, AnUnreadableImportIsReportedOnce) {
  const std::string missing = m_home.dir().Sub("customer.reg");
  std::shared_ptr<Machine> machine = test::MakeTestMachine(m_home.DataHome(), m_home.ConfigHome());
  ApplyRegistryImports(missing, machine.get());
  ASSERT_EQ(machine->importProblems.size(), 1u);
  m_env.Set("QUORVEX_REGISTRY_IMPORT", missing);
  const test::CliResult run = Run({"identify", kInstalled});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Installed Product - Name Installed App\n Version 2.5.1\n");
  EXPECT_EQ(run.err, "quorvex-cli: " + machine->importProblems[0].message() + "\n");
}

}  // namespace
}  // namespace qv
