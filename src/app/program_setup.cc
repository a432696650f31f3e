#include "app/program_setup.h"

#include "app/globals.h"
#include "msidb/open_database_state.h"
#include "platform/machine/machine.h"
#include "platform/msi/automation.h"

namespace qv {

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
  return InstallerObject != nullptr;
}

}  // namespace qv
