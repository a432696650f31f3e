#include "app/startup.h"

#include "app/globals.h"
#include "msidb/error_report.h"
#include "msidb/open_database_state.h"
#include "platform/base/pending_error.h"
#include "platform/machine/machine.h"
#include "platform/msi/automation.h"
#include "platform/ui/ui.h"
#include "services/path_text.h"
#include "services/registry_functions.h"

namespace qv {
namespace {

std::string CutAtNul(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

std::string WindowsDirectory() {
  std::string buffer;
  GetWindowsDirectoryA(&buffer, 256);
  return CutAtNul(buffer);
}

}  // namespace

bool Main(const StartWindow& window) {
  std::string programFolder;
  std::string baseName;
  SetProgramPaths(&programFolder, &baseName);
  std::string buffer;
  GetSystemDirectoryA(&buffer, 256);
  SystemDir = CutAtNul(buffer);

  if (window.create) window.create();
  InstallerObject = msi::CreateInstallerObject();
  OpenDb().oDatabase = nullptr;
  OpenDb().oSession = nullptr;
  HistoryMax = 10;
  FileKeyMarker = "#";

  InitCommon();
  // The program cannot work without the installer object: after its report, end in order.
  if (!InstallerObject) {
    if (!ui::ProgramEnded()) ui::EndProgram(1);
    return false;
  }
  if (ui::ProgramEnded()) return false;
  if (window.display) window.display();
  return true;
}

void InitCommon() {
  SettingsKey = kDefaultSettingsKey;

  InstallerObject = nullptr;
  ClearPendingError();
  InstallerObject = msi::CreateInstallerObject();
  CheckErrorTrans("Common", 5750);

  WindowsDir = WindowsDirectory();

  std::string buffer;
  SetDUNARDir(&buffer, 256);
  std::string libraryDir = CutAtNul(buffer);
  libraryDir += (!libraryDir.empty() && libraryDir.back() == '\\') ? "sys" : "\\sys";
  LibrarySysDir = libraryDir;
  MakeFolderPath(LibrarySysDir);
}

void SetProgramPaths(std::string* programFolder, std::string* baseName) {
  if (WindowsDir.empty()) WindowsDir = WindowsDirectory();

  std::string buffer;
  GetModuleFileNameA(&buffer, 255);
  const std::string exePath = CutAtNul(buffer);
  const size_t lastSlash = exePath.rfind('\\');
  *programFolder = lastSlash == std::string::npos ? "" : exePath.substr(0, lastSlash);
  baseName->clear();
  if (lastSlash != std::string::npos) {
    std::string name = exePath.substr(lastSlash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    *baseName = name;
    SaveREGString("", name, exePath, 1, 1);
    SaveREGString("", "EXENAME", exePath, 1, 1);
  }
}

}  // namespace qv
