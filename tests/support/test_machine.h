#pragma once
// Machines for tests: a built-in profile rooted in a temp folder, installed for a scope, and
// Wine prefix fixtures on disk.

#include <memory>
#include <string>
#include <vector>

#include "platform/machine/machine.h"
#include "platform/registry/hive.h"
#include "support/temp_dir.h"

namespace qv::test {

/// What a test machine holds beyond the built-in profile.
struct TestMachineOptions {
  std::string userName = "tester";
  /// Extra HKLM content in Wine's format (keys relative to HKLM), header included.
  std::string machineHive;
  /// Extra HKCU content in Wine's format, header included.
  std::string userHive;
};

/// A built-in machine whose drive C is dataHome/quorvex/drive_c and whose store is
/// configHome/quorvex, with the extra hive content of options merged in. Fails the current
/// test (and returns the machine without it) when the extra content is not a hive.
std::shared_ptr<Machine> MakeTestMachine(const std::string& dataHome, const std::string& configHome,
                                         const TestMachineOptions& options = {});

/// An isolated home with a test machine in it, installed with SetCurrentMachine for the
/// object's lifetime; afterwards no machine is set (the next use loads one again).
class ScopedTestMachine {
 public:
  explicit ScopedTestMachine(const TestMachineOptions& options = {});
  ~ScopedTestMachine();
  ScopedTestMachine(const ScopedTestMachine&) = delete;
  ScopedTestMachine& operator=(const ScopedTestMachine&) = delete;

  const Machine& machine() const { return *m_machine; }
  /// Host folder of drive C.
  std::string DriveC() const { return m_machine->drives.at('C'); }

 private:
  IsolatedHome m_home;
  std::shared_ptr<Machine> m_machine;
};

/// Adds the keys and values of text (Wine's format, header included) to hive; a problem in it
/// fails the current test. An empty text adds nothing.
void MergeHiveText(const std::string& text, const char* what, registry::Hive* hive);

/// The hive a text in Wine's format holds, its header added where it has none; fails the current
/// test when the text is no hive.
std::shared_ptr<const registry::Hive> HiveOf(const std::string& text);

/// The data of the value key\name in the current machine's registry; "<absent>" without it.
std::string RegistryText(const std::string& key, const std::string& name);

/// The messages of problems (a machine's import, hive or start-up problems), in order.
std::vector<std::string> Messages(const std::vector<Status>& problems);

/// Writes a Wine prefix at dir/relative: drive_c/, dosdevices/c: -> ../drive_c,
/// dosdevices/z: -> /, and system.reg and user.reg with the given texts (left out when
/// empty). Returns the prefix's host path.
std::string WriteWinePrefix(const TempDir& dir, const std::string& relative,
                            const std::string& systemReg, const std::string& userReg);

}  // namespace qv::test
