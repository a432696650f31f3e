#include "app/startup.h"

#include "msidb/error_report.h"
#include "platform/base/pending_error.h"
#include "platform/machine/machine.h"
#include "platform/msi/automation.h"
#include "platform/ui/ui.h"
#include "services/path_text.h"
#include "services/registry_functions.h"
#include "state/program_state.h"

namespace qv {
namespace {

std::string WindowsDirectory() {
  std::string buffer;
  GetWindowsDirectoryA(&buffer, 256);
  return TrimNul(buffer);
}

}  // namespace

bool Main(const StartWindow& window) {
  ProgramState& program = Program();
  std::string programFolder;
  std::string baseName;
  SetProgramPaths(&programFolder, &baseName);
  std::string buffer;
  GetSystemDirectoryA(&buffer, 256);
  program.SystemDir = TrimNul(buffer);

  if (window.create) window.create();
  program.InstallerObject = msi::CreateInstallerObject();
  program.database.oDatabase = nullptr;
  program.database.oSession = nullptr;
  program.HistoryMax = kDefaultHistoryMax;
  program.FileKeyMarker = kDefaultFileKeyMarker;

  InitCommon();
  // The program cannot work without the installer object: after its report, end in order.
  if (!program.InstallerObject) {
    if (!ui::ProgramEnded()) ui::EndProgram(1);
    return false;
  }
  if (ui::ProgramEnded()) return false;
  if (window.display) window.display();
  return true;
}

void InitCommon() {
  ProgramState& program = Program();
  program.SettingsKey = kDefaultSettingsKey;

  program.InstallerObject = nullptr;
  ClearPendingError();
  program.InstallerObject = msi::CreateInstallerObject();
  CheckErrorTrans("Common", 5750);

  program.WindowsDir = WindowsDirectory();

  std::string buffer;
  SetDUNARDir(&buffer, 256);
  std::string libraryDir = TrimNul(buffer);
  libraryDir += (!libraryDir.empty() && libraryDir.back() == '\\') ? "sys" : "\\sys";
  program.LibrarySysDir = libraryDir;
  MakeFolderPath(program.LibrarySysDir);
}

void SetProgramPaths(std::string* programFolder, std::string* baseName) {
  if (Program().WindowsDir.empty()) Program().WindowsDir = WindowsDirectory();

  std::string buffer;
  GetModuleFileNameA(&buffer, 255);
  const std::string exePath = TrimNul(buffer);
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
