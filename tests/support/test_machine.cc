#include "support/test_machine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/machine/machine_profiles.h"
#include "platform/machine/machine_registry.h"
#include "platform/registry/hive_reader.h"

namespace qv::test {
void MergeHiveText(const std::string& text, const char* what, registry::Hive* hive) {
  if (text.empty()) return;
  Status s = registry::ParseHive(text, what, hive, [&](const Status& problem) {
    ADD_FAILURE() << what << ": " << problem.message();
  });
  EXPECT_TRUE(s.ok()) << s.ToString();
}

std::shared_ptr<Machine> MakeTestMachine(const std::string& dataHome, const std::string& configHome,
                                         const TestMachineOptions& options) {
  MachineSettings settings{dataHome, configHome, options.userName};
  Status status;
  std::shared_ptr<Machine> machine = BuildBuiltinMachine(settings, &status);
  EXPECT_TRUE(status.ok()) << status.ToString();
  registry::Hive machineHive = BuiltinMachineHive();
  registry::Hive userHive = BuiltinUserHive(options.userName);
  MergeHiveText(options.machineHive, "test machine hive", &machineHive);
  MergeHiveText(options.userHive, "test user hive", &userHive);
  machine->machineHive = std::make_shared<const registry::Hive>(std::move(machineHive));
  machine->userHive = std::make_shared<const registry::Hive>(std::move(userHive));
  return machine;
}

ScopedTestMachine::ScopedTestMachine(const TestMachineOptions& options)
    : m_machine(MakeTestMachine(m_home.DataHome(), m_home.ConfigHome(), options)) {
  SetCurrentMachine(m_machine);
}

ScopedTestMachine::~ScopedTestMachine() {
  SetCurrentMachine(nullptr);
}

std::shared_ptr<const registry::Hive> HiveOf(const std::string& text) {
  auto hive = std::make_shared<registry::Hive>();
  const std::string header = text.starts_with("WINE REGISTRY") ? "" : "WINE REGISTRY Version 2\n";
  EXPECT_TRUE(registry::ParseHive(header + text, "test.reg", hive.get(), nullptr).ok());
  return hive;
}

std::string RegistryText(const std::string& key, const std::string& name) {
  registry::Value v;
  return CurrentRegistry().GetValue(key, name, &v).ok() ? v.data : "<absent>";
}

std::vector<std::string> Messages(const std::vector<Status>& problems) {
  std::vector<std::string> out;
  for (const Status& s : problems) out.push_back(s.message());
  return out;
}

std::string WriteWinePrefix(const TempDir& dir, const std::string& relative,
                            const std::string& systemReg, const std::string& userReg) {
  std::filesystem::path prefix = std::filesystem::path(dir.path()) / relative;
  std::filesystem::create_directories(prefix / "drive_c" / "windows" / "system32");
  std::filesystem::create_directories(prefix / "dosdevices");
  std::filesystem::create_symlink("../drive_c", prefix / "dosdevices" / "c:");
  std::filesystem::create_symlink("/", prefix / "dosdevices" / "z:");
  if (!systemReg.empty()) dir.Write(relative + "/system.reg", systemReg);
  if (!userReg.empty()) dir.Write(relative + "/user.reg", userReg);
  return prefix.string();
}

}  // namespace qv::test
