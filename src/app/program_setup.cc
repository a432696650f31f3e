#include "app/program_setup.h"

#include "platform/machine/machine.h"
#include "platform/msi/automation.h"
#include "state/program_state.h"

namespace qv {

bool SetUpProgramState() {
  ResetProgramState();
  ProgramState& program = Program();
  program.SettingsKey = kDefaultSettingsKey;
  std::string buffer;
  GetWindowsDirectoryA(&buffer, 256);
  program.WindowsDir = buffer;
  GetSystemDirectoryA(&buffer, 256);
  program.SystemDir = buffer;
  program.InstallerObject = msi::CreateInstallerObject();
  return program.InstallerObject != nullptr;
}

}  // namespace qv
