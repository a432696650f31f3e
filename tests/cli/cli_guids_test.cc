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

TEST_F(CliGuidsTest, PackAndUnpack) {
  const std::string packed = test::PackedForTest(kComponent);
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const Case cases[] = {
      {{"pack", kComponent}, packed + "\n"},
      {{"pack", "{a1b2c3d4-1111-2222-3333-444455556666}"}, packed + "\n"},
      {{"unpack", packed}, kComponent + "\n"},
  };
  for (const Case& c : cases) {
    const test::CliResult run = Run(c.args);
    EXPECT_EQ(run.status, 0) << c.args[1];
    EXPECT_EQ(run.out, c.out) << c.args[1];
    EXPECT_EQ(run.err, "") << c.args[1];
  }
}

TEST_F(CliGuidsTest, IdentifyPrintsTheDescriptionLineByLine) {
  const std::pair<std::string, std::string> cases[] = {
      {kInstalled, "Installed Product - Name Installed App\n Version 2.5.1\n"},
      {kComponent,
       "Component - GUID\n Installed by the Following Products"
       "\nName Installed App (display) - Version 2.5.1\nComponent Name MainExe"
       "\nComponent  Name Advertised App Version 33554432"
       "\nProduct with GUID " +
           kAbsent + " which is not installed or advertised\n"},
      {kUserClass, "Defined on PC as\n\"Registry HKEY_CLASSES_ROOT\\CLSID\\" + kUserClass +
                       "\n\".Default\" = User Class\n\"ProgID\"  = User.Class.1\n"},
  };
  for (const auto& [guid, out] : cases) {
    const test::CliResult run = Run({"identify", guid});
    EXPECT_EQ(run.status, 0) << guid;
    EXPECT_EQ(run.out, out) << guid;
    EXPECT_EQ(run.err, "") << guid;
  }
  const test::CliResult unknown = Run({"identify", kUnknown});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "quorvex-cli: " + kUnknown + " is not known on this machine\n");
}

TEST_F(CliGuidsTest, BadArgumentsAreUsageErrors) {
  const std::string form = " is not a GUID in the form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}\n";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"pack", "nope"}, "quorvex-cli: 'nope'" + form},
      {{"identify", "A1B2C3D4-1111-2222-3333-444455556666"},
       "quorvex-cli: 'A1B2C3D4-1111-2222-3333-444455556666'" + form},
      {{"unpack", kComponent},
       "quorvex-cli: '" + kComponent + "' is not a packed GUID (32 hexadecimal digits)\n"},
      {{"identify"}, "usage: quorvex-cli guid pack GUID | unpack PACKED | identify GUID\n"},
      {{"frob", kComponent}, "usage: quorvex-cli guid pack GUID | unpack PACKED | identify GUID\n"},
      {{}, "usage: quorvex-cli guid pack GUID | unpack PACKED | identify GUID\n"},
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
