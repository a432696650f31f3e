#include "platform/machine/machine_imports.h"

#include <gtest/gtest.h>

#include "platform/machine/machine_registry.h"
#include "platform/registry/text_codec.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv {
namespace {

constexpr auto Get = &test::RegistryText;

// Files to import, customer.reg an export of every root.
const std::string kImports = std::string(QV_TEST_DATA_DIR) + "/registry/imports/";

class MachineImportsTest : public ::testing::Test {
 protected:
  void TearDown() override { SetCurrentMachine(nullptr); }
  std::shared_ptr<Machine> Import(const std::string& list) {
    std::shared_ptr<Machine> machine =
        test::MakeTestMachine(m_home.DataHome(), m_home.ConfigHome());
    ApplyRegistryImports(list, machine.get());
    SetCurrentMachine(machine);
    return machine;
  }

  test::IsolatedHome m_home;
  test::TempDir m_dir;
};

TEST_F(MachineImportsTest, ImportsLandWhereWindowsKeepsThemEarlierFilesWinning) {
  const std::string file =
      m_dir.Write("customer.reg",
                  "\xFF\xFE" + registry::Utf8ToUtf16Le(test::ReadFile(kImports + "customer.reg")));
  std::shared_ptr<Machine> machine = Import(file);
  EXPECT_EQ(test::Messages(machine->importProblems), std::vector<std::string>{});
  const std::string clsid = "CLSID\\{11111111-2222-3333-4444-555555555555}";
  EXPECT_EQ(Get("HKLM\\Software\\Classes\\" + clsid + "\\InprocServer32", ""),
            "C:\\Windows\\customer.dll");
  EXPECT_EQ(Get("HKCU\\Software\\Customer", "Who"), "current user");
  EXPECT_EQ(Get("HKCU\\Software\\Customer", "Sid"), "the user's SID");
  EXPECT_EQ(Get("HKCU\\Software\\Classes\\Customer.File", ""), "user class");
  EXPECT_EQ(Get("HKEY_USERS\\S-1-5-21-9-9-9-1001\\Software\\Customer", "Who"), "someone else");
  // The machine's own content is still there below.
  EXPECT_EQ(Get("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot"),
            "C:\\Windows");
  // The environment names the imports.
  test::ScopedEnv env;
  env.Set("QUORVEX_REGISTRY_IMPORT", kImports + "customer.reg");
  Status status;
  SetCurrentMachine(LoadMachineFromEnvironment(&status));
  EXPECT_EQ(Get("HKCR\\CLSID\\{11111111-2222-3333-4444-555555555555}", ""), "Customer Class");
  // Earlier files win, and unreadable ones are reported.
  const std::string first = kImports + "first.reg";
  const std::string second = kImports + "second.reg";
  const std::string notes = kImports + "notes.txt";
  const std::string stray = kImports + "stray.reg";
  const std::string missing = kImports + "missing.reg";
  // A file that cannot be read is reported and the files after it are still read.
  machine = Import(first + "::" + missing + ":" + second + ":" + notes + ":" + m_dir.path() + ":" +
                   kImports + "system.reg:" + stray);
  EXPECT_EQ(Get("HKLM\\Software\\Vendor", "v"), "first");
  EXPECT_EQ(Get("HKLM\\Software\\Vendor", "only"), "second");
  EXPECT_EQ(Get("HKLM\\Software\\Wine\\Import", "from"), "wine");
  const std::vector<std::string> expected = {
      missing + ": no such file",
      second + ": 1 line(s) skipped, the first: " + second + ":7: key deletion is not supported",
      second + ": keys under HKEY_CURRENT_CONFIG are not used",
      notes + ":1: not a registry file",
      m_dir.path() + ": not a regular file",
      stray + ": a Wine registry file whose header names neither \\Machine nor \\User\\<SID>",
  };
  EXPECT_EQ(test::Messages(machine->importProblems), expected);
}

}  // namespace
}  // namespace qv
