#include "platform/registry/registry.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::registry {
namespace {

class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest()
      : m_machineHive(
            test::HiveOf("[Software\\\\Classes\\\\CLSID\\\\{A}] 0\n@=\"machine class\"\n"
                         "\"Shared\"=\"machine\"\n"
                         "[Software\\\\Vendor] 0\n\"Below\"=\"below\"\n\"Other\"=dword:5\n")),
        m_userHive(test::HiveOf("[Software\\\\Classes\\\\CLSID\\\\{A}] 0\n\"Shared\"=\"user\"\n"
                                "[Environment] 0\n\"TEMP\"=str(2):\"%USERPROFILE%\\\\Temp\"\n")) {}

  std::unique_ptr<Registry> Open() {
    return std::make_unique<Registry>(m_dir.Sub("store"), m_machineHive, m_userHive, "S-1-5-21-7");
  }
  std::string Get(Registry& r, const std::string& key, const std::string& name) {
    Value v;
    Status s = r.GetValue(key, name, &v);
    return s.ok() ? v.data : "<" + s.message() + ">";
  }

  // Runs `child` in a forked process that exits with what it returns.
  static pid_t Spawn(const std::function<int()>& child) {
    pid_t pid = fork();
    if (pid == 0) _exit(child());
    return pid;
  }
  // Waits for `pid`; returns its exit code, or -1 when it did not exit.
  static int ExitCode(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  test::TempDir m_dir;
  std::shared_ptr<const Hive> m_machineHive;
  std::shared_ptr<const Hive> m_userHive;
};

TEST_F(RegistryTest, KeysReachTheirHivesAndTheStoreSurvivesCrashesDamageAndOtherWriters) {
  auto r = Open();
  EXPECT_EQ(Get(*r, "HKEY_LOCAL_MACHINE\\software\\VENDOR", "below"), "below");
  EXPECT_EQ(Get(*r, "HKCU\\Environment", "TEMP"), "%USERPROFILE%\\Temp");
  EXPECT_EQ(Get(*r, "HKLM\\Software\\Vendor", "missing"),
            "<HKLM\\Software\\Vendor: no value \"missing\">");
  // Relative keys live under the user's Software key.
  ASSERT_TRUE(r->SetValue("Dunar\\Quorvex", "Converter0", Value::Text("a.msi")).ok());
  EXPECT_EQ(Get(*r, "HKCU\\Software\\Dunar\\Quorvex", "converter0"), "a.msi");
  EXPECT_EQ(Get(*r, "HKEY_USERS\\S-1-5-21-7\\Software\\Dunar\\Quorvex", "Converter0"), "a.msi");
  EXPECT_EQ(r->SubkeyNames("HKCU\\Software\\Dunar"), std::vector<std::string>{"Quorvex"});
  // The classes root prefers the user's classes.
  EXPECT_EQ(Get(*r, "HKCR\\CLSID\\{A}", "Shared"), "user");
  EXPECT_EQ(Get(*r, "\\HKEY_CLASSES_ROOT\\CLSID\\{a}", ""), "machine class");
  // The user has the key of its own, so a write goes there.
  ASSERT_TRUE(r->SetValue("HKCR\\CLSID\\{A}", "New", Value::Text("n")).ok());
  EXPECT_EQ(Get(*r, "HKCU\\Software\\Classes\\CLSID\\{A}", "New"), "n");
  // A class only the machine has is written for the machine.
  ASSERT_TRUE(r->SetValue("HKCR\\CLSID\\{B}", "", Value::Text("b")).ok());
  EXPECT_EQ(Get(*r, "HKLM\\Software\\Classes\\CLSID\\{B}", ""), "b");
  EXPECT_EQ(r->SubkeyNames("HKCR\\CLSID"), (std::vector<std::string>{"{A}", "{B}"}));
  // Deleting the user's value lets the machine's show through.
  ASSERT_TRUE(r->DeleteValue("HKCR\\CLSID\\{A}", "Shared").ok());
  EXPECT_EQ(Get(*r, "HKCR\\CLSID\\{A}", "Shared"), "machine");
  // The store hides the machine's hive, and its tombstones delete what is below.
  r = Open();
  ASSERT_TRUE(r->SetValue("HKLM\\Software\\Vendor", "Below", Value::Text("above")).ok());
  EXPECT_EQ(Get(*r, "HKLM\\Software\\Vendor", "Below"), "above");
  ASSERT_TRUE(r->DeleteValue("HKLM\\Software\\Vendor", "Below").ok());
  EXPECT_EQ(Get(*r, "HKLM\\Software\\Vendor", "Below"),
            "<HKLM\\Software\\Vendor: no value \"Below\">");
  EXPECT_EQ(r->ValueNames("HKLM\\Software\\Vendor"), std::vector<std::string>{"Other"});
  EXPECT_EQ(r->DeleteValue("HKLM\\Software\\Vendor", "Below").code(), Status::Code::kNotFound);
  // A fresh instance reads the tombstone back from disk.
  EXPECT_EQ(Get(*Open(), "HKLM\\Software\\Vendor", "Below"),
            "<HKLM\\Software\\Vendor: no value \"Below\">");
  // Writing again brings the value back.
  ASSERT_TRUE(r->SetValue("HKLM\\Software\\Vendor", "below", Value::Dword(3)).ok());
  EXPECT_EQ(r->ValueNames("HKLM\\Software\\Vendor"), (std::vector<std::string>{"Below", "Other"}));
  // A value only the store has is removed, not tombstoned.
  ASSERT_TRUE(r->SetValue("Dunar\\Quorvex", "x", Value::Dword(1)).ok());
  ASSERT_TRUE(r->DeleteValue("Dunar\\Quorvex", "X").ok());
  EXPECT_EQ(test::ReadFile(m_dir.Sub("store/user.reg")).find("\"x\""), std::string::npos);
  EXPECT_EQ(Get(*r, "Dunar\\Quorvex", "x"), "<Dunar\\Quorvex: no value \"x\">");
  // A writer that ends before its rename leaves the old store.
  ASSERT_TRUE(Open()->SetValue("Dunar\\Quorvex", "Kept", Value::Text("old")).ok());
  const pid_t pid = Spawn([&] {
    auto r = Open();
    r->StoreOf(Root::kCurrentUser).SetBeforeRenameHook([] { _exit(7); });
    r->SetValue("Dunar\\Quorvex", "Kept", Value::Text("new")).IgnoreError();  // exits before
    return 0;
  });
  ASSERT_GT(pid, 0);
  EXPECT_EQ(ExitCode(pid), 7);
  EXPECT_NE(test::ReadFile(m_dir.Sub("store/user.reg.tmp-" + std::to_string(pid))), "");
  r = Open();
  EXPECT_EQ(Get(*r, "Dunar\\Quorvex", "Kept"), "old");
  // The next write goes through despite the leftover temporary file.
  ASSERT_TRUE(r->SetValue("Dunar\\Quorvex", "Kept", Value::Text("newer")).ok());
  EXPECT_EQ(Get(*Open(), "Dunar\\Quorvex", "Kept"), "newer");
  // A store that is not a hive is moved aside on the next write.
  m_dir.Write("store/user.reg", "garbage");
  r = Open();
  EXPECT_EQ(Get(*r, "Dunar\\Quorvex", "A"), "<Dunar\\Quorvex: no value \"A\">");
  EXPECT_EQ(r->StoreOf(Root::kCurrentUser).readStatus().message(),
            m_dir.Sub("store/user.reg") + ":1: not a registry file");
  ASSERT_TRUE(r->SetValue("Dunar\\Quorvex", "A", Value::Text("a")).ok());
  EXPECT_EQ(test::ReadFile(m_dir.Sub("store/user.reg.corrupt")), "garbage");
  EXPECT_EQ(Get(*Open(), "Dunar\\Quorvex", "A"), "a");
  // A file where the store's folder should be makes writes fail.
  m_dir.Write("blocked", "a file where the folder should be");
  Registry blocked(m_dir.Sub("blocked"), m_machineHive, m_userHive, "S-1-5-21-7");
  EXPECT_EQ(blocked.SetValue("Dunar\\Quorvex", "A", Value::Text("a")).code(),
            Status::Code::kIOError);
  // Forked writers keep each other's values.
  constexpr int kChildren = 4;
  constexpr int kWrites = 15;
  auto reader = Open();  // an instance that read the store before: it sees the others' writes
  EXPECT_EQ(reader->ValueNames("Dunar\\Forks").size(), 0u);
  std::vector<pid_t> pids;
  for (int c = 0; c < kChildren; ++c) {
    pids.push_back(Spawn([&] {
      auto writer = Open();
      int failures = 0;
      for (int i = 0; i < kWrites; ++i) {
        std::string name = "c" + std::to_string(c) + "_" + std::to_string(i);
        failures += !writer->SetValue("Dunar\\Forks", name, Value::Dword(i)).ok();
      }
      return failures;
    }));
    ASSERT_GT(pids.back(), 0);
  }
  for (pid_t child : pids) EXPECT_EQ(ExitCode(child), 0);
  EXPECT_EQ(reader->ValueNames("Dunar\\Forks").size(), static_cast<size_t>(kChildren * kWrites));
}

}  // namespace
}  // namespace qv::registry
