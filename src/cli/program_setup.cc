#include "cli/program_setup.h"

#include "app/globals.h"
#include "cli/command.h"
#include "msidb/open_database_state.h"
#include "platform/machine.h"
#include "platform/msi/automation.h"

namespace qv::cli {

bool SetUpProgramState() {
  SettingsKey = kDefaultSettingsKey;
  HistoryMax = 10;
  FileKeyMarker = "#";
  std::string buffer;
  GetWindowsDirectoryA(&buffer, 256);
  WindowsDir = buffer;
  GetSystemDirectoryA(&buffer, 256);
  SystemDir = buffer;
  OpenDb() = OpenDatabaseState{};
  InstallerObject = msi::CreateInstallerObject();
  if (!InstallerObject) {
    Fail("the installer object cannot be created");
    return false;
  }
  return true;
}

}  // namespace qv::cli
