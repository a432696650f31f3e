#include "msidb/database_open.h"

#include <cerrno>

#include "msidb/error_report.h"
#include "platform/base/ascii_case.h"
#include "platform/base/pending_error.h"
#include "platform/fs/file_copy.h"
#include "platform/fs/file_info.h"
#include "platform/fs/path_map.h"
#include "platform/host/host_file.h"
#include "platform/msi/msi_functions.h"
#include "platform/ui/ui.h"
#include "services/file_functions.h"
#include "services/path_text.h"
#include "services/registry_functions.h"
#include "services/text_case.h"
#include "state/program_state.h"

namespace qv {
namespace {

constexpr const char* kPolicyKey = "HKLM\\Software\\Policies\\Microsoft\\Windows\\Installer";

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string NotAMsiFile(const std::string& msiFile) {
  return msiFile + " is not a Msi File or is in use or does not exist.";
}

bool IsReadOnly(const std::string& hostPath) {
  const uint32_t attributes = fs::GetFileAttributesOf(hostPath);
  return attributes != fs::kInvalidFileAttributes && (attributes & fs::kAttributeReadOnly) != 0;
}

// Copies a package beside itself (both Windows or host paths), replacing an older copy.
bool CopyPackage(const std::string& from, const std::string& to) {
  std::string hostFrom;
  std::string hostTo;
  if (!fs::HostPathOf(from, &hostFrom).ok() || !fs::HostPathOf(to, &hostTo).ok()) return false;
  if (IsReadOnly(hostTo)) fs::SetReadOnly(hostTo, false).IgnoreError();  // the copy tells
  return fs::CopyHostFile(hostFrom, hostTo, false).ok();
}

// Asks to clear the read-only attribute of a package opened for writing; "" when writable.
std::string MakeWritable(const std::string& openFile, const std::string& msiFile) {
  std::string hostPath;
  if (!fs::HostPathOf(openFile, &hostPath).ok() || !IsReadOnly(hostPath)) return "";
  const std::string question =
      "Cannot write to \r" + msiFile + "\ras \"Read\" Attribute set\rPress \"YES\" to clear";
  if (ui::ShowMessage(question, "Cannot open Msi For Write", ui::Buttons::kYesNo) !=
      ui::Answer::kYes) {
    return "Cannot open \"" + msiFile + "\" for Writing";
  }
  fs::SetReadOnly(hostPath, false).IgnoreError();  // checked on the next line
  if (IsReadOnly(hostPath)) {
    ui::ShowMessage("Cannot change READ Attribute on \r" + msiFile, "Error", ui::Buttons::kOk);
    return "Cannot change READ Attribute on \"" + msiFile + "\"";
  }
  return "";
}

}  // namespace

std::string OpenMsiDbVb(const std::string& MsiFile, std::shared_ptr<msi::Database>& slot,
                        const OpenOptions& options, PState* pState) {
  OpenDatabaseState& db = OpenDb();
  db.szRootDrive = "";
  std::string openFile = MsiFile;
  if (MsiFile.size() < 4) return "\"" + MsiFile + " does not have a File Extension";

  if (EndsWithNoCase(MsiFile, ".Msi") && !IsValidPackage(MsiFile, true)) {
    if (!options.bStandardMsi) return NotAMsiFile(MsiFile);
    // Another application may hold the package: work on a copy beside it.
    db.szCopyMsi = MsiFile.substr(0, MsiFile.size() - 3) + "CopyOf.Msi";
    if (!CopyPackage(MsiFile, db.szCopyMsi)) {
      db.szCopyMsi = "";
      return NotAMsiFile(MsiFile);
    }
    openFile = db.szCopyMsi;
    if (!IsValidPackage(db.szCopyMsi, false)) {
      DeleteIfExists(db.szCopyMsi);
      db.szCopyMsi = "";
      return NotAMsiFile(MsiFile);
    }
  }

  const int mode = options.nOpenWrite != 0 ? 1 : 0;
  if (options.bStandardMsi) {
    PState previous;
    if (slot) {
      previous = {slot->DatabaseState() == 1 ? PState::Open::kWriting : PState::Open::kReading,
                  db.oSession != nullptr, db.szCurrentMsi};
    }
    if (pState) *pState = previous;
    if (slot && SameText(MsiFile, db.szCurrentMsi) && slot->DatabaseState() == mode) {
      if (!options.GenSession) {
        db.oSession = nullptr;
      } else if (!db.oSession) {
        GenerateSession();
      }
      return "";
    }
    db.oSession = nullptr;
    db.szCurrentMsi = "";
    slot = nullptr;
  }

  if (mode == 1) {
    std::string refused = MakeWritable(openFile, MsiFile);
    if (!refused.empty()) return refused;
  }

  ClearPendingError();
  slot = nullptr;
  const std::shared_ptr<msi::Installer>& installer = Program().InstallerObject;
  if (!installer) return NotAMsiFile(MsiFile);
  slot = installer->OpenDatabase(openFile, mode + (EndsWithNoCase(MsiFile, ".Msp") ? 32 : 0));
  // Both checks run, so a failed open is always reported and cleared.
  const bool reported = CheckInstallerError(options.showErrors, 141);
  if (!slot || reported) return "Error could not open database";

  if (options.bStandardMsi) {
    db.szCurrentMsi = MsiFile;
    if (options.GenSession) GenerateSession();
  }
  return "";
}

std::string OpenMsiDb(const std::string& MsiFile, std::shared_ptr<msi::Database>& slot,
                      const OpenOptions& options, PState* pState) {
  std::string result = OpenMsiDbVb(MsiFile, slot, options, pState);
  if (!result.empty()) {
    ui::ShowMessage("\"" + MsiFile + "\"\rCannot be opened as a Msi File", "ERROR - Not a Msi File",
                    ui::Buttons::kOk);
  }
  return result;
}

bool IsValidPackage(const std::string& path, bool show) {
  int outcome = 0;
  std::string refusal;  // what is wrong with a file that exists but cannot be read as one
  if (ExistFile(path) != 0) {
    outcome = 1;
  }
  // A file of another kind, or one behind a folder that may not be read, is named for what it
  // is, in the words the host layer gives every such case, rather than as a package in use or
  // a file that does not exist.
  std::string hostPath;
  host::HostFile file;
  const Status opened = fs::HostPathOf(path, &hostPath).ok()
                            ? host::HostFile::Open(hostPath, host::OpenMode::kRead, &file)
                            : Status::NotFound(path);
  if (opened.code() == Status::Code::kInvalidArgument) {
    refusal = host::HostError(path, EISDIR).message();
  } else if (opened.code() == Status::Code::kPermissionDenied) {
    refusal = host::HostError(path, EACCES).message();
  }
  file.Close().IgnoreError();  // only read from
  if (!refusal.empty()) {
    outcome = 4;
  } else if (outcome == 0 && !OpenDb().oDatabase) {
    const uint32_t verified = msi::MsiVerifyPackageA(path);
    outcome = verified == 0 ? 0 : verified == 1619 ? 3 : 2;
  }
  if (outcome == 0) return true;
  if (show) {
    std::string text;
    if (outcome == 1) text = path + " is not a valid file.";
    if (outcome == 2) text = path + " is not a valid Msi Package.";
    if (outcome == 3) {
      text = "Could not open Msi Database " + path + "\rSee if another Application is using it";
    }
    if (outcome == 4) text = refusal;
    ui::ShowMessage(text, "Error", ui::Buttons::kOk);
  }
  return false;
}

void GenerateSession() {
  OpenDatabaseState& db = OpenDb();
  if (db.oSession) return;
  SuspendLogging(true);
  db.oSession = nullptr;
  if (!db.oDatabase || db.oDatabase->DatabaseState() != 0) {
    SuspendLogging(false);
    return;
  }
  if (const std::shared_ptr<msi::Installer>& installer = Program().InstallerObject) {
    db.oSession = installer->OpenPackage(db.oDatabase, 0);
    if (!db.oSession) db.oSession = installer->OpenPackage(db.oDatabase, 1);
  }
  if (!db.oSession) {
    ClearPendingError();
    SuspendLogging(false);
    ui::ShowMessage("Cannot Generate Session for Msi File It may be Corrupt - Exit", "Error",
                    ui::Buttons::kOk);
    ui::EndProgram(1);
    return;
  }
  for (const char* action : {"CostInitialize", "FileCost", "ResolveSource", "CostFinalize"}) {
    db.oSession->DoAction(action);
  }
  ClearPendingError();
  db.szSourceDir = db.oSession->Property("SourceDir");
  db.szTargetDir = db.oSession->Property("TARGETDIR");
  db.szRootDrive = db.oSession->Property("ROOTDRIVE");
  const std::string& windowsDir = Program().WindowsDir;
  if (db.szTargetDir.empty() && db.szRootDrive.empty()) {
    db.szTargetDir = windowsDir.substr(0, 3);
    db.szRootDrive = db.szTargetDir;
  } else if (!db.szRootDrive.empty() && !db.szTargetDir.empty() &&
             AsciiToLower(db.szRootDrive[0]) == AsciiToLower(db.szTargetDir[0]) &&
             !windowsDir.empty()) {
    db.szTargetDir[0] = windowsDir[0];
  }
  SuspendLogging(false);
}

void SuspendLogging(bool suspend) {
  // The policy is held aside in memory only: the machine's registry is never written for this
  // internal step, so a program killed or ended while a session is generated cannot lose the
  // policy. (This program's installer engine consults no logging policy while costing, so
  // nothing has to hide it from the session either.)
  if (!suspend) return;
  std::string buffer;
  GetREGString(kPolicyKey, "Logging", &buffer, 100);
  OpenDb().szSavedLogging = Trim(TrimNul(buffer));
}

void CloseVoDatabase() {
  OpenDb().oSession = nullptr;
  OpenDb().oDatabase = nullptr;
}

bool ReOpenDatabase(const PState& pState, bool showErrors) {
  OpenDatabaseState& db = OpenDb();
  if (!db.oDatabase) return false;
  const int recordedState = pState.open == PState::Open::kWriting ? 1 : 0;
  const bool needed = pState.open == PState::Open::kNothing ||
                      !SameText(pState.szCurrentMsi, db.szCurrentMsi) ||
                      db.oDatabase->DatabaseState() != recordedState;
  if (!needed) return false;
  CloseVoDatabase();
  // A recorded path of one character never named a package, so nothing is opened for it.
  const std::string& path = pState.szCurrentMsi;
  if (pState.open != PState::Open::kNothing && path.size() > 1) {
    const bool writing = pState.open == PState::Open::kWriting;
    const std::string result = OpenMsiDbVb(path, db.oDatabase,
                                           {.GenSession = !writing && pState.session,
                                            .nOpenWrite = writing ? 1 : 0,
                                            .bStandardMsi = true});
    if (!result.empty() && showErrors) {
      ui::ShowMessage(result, "Error ReOpening - \"" + path + "\"", ui::Buttons::kOk);
    }
  }
  return true;
}

}  // namespace qv
