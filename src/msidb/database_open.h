#pragma once
// Opening installer packages into the one open database, generating the session on it, and
// putting back what was open before.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/msi/automation.h"

namespace qv {

/// How OpenMsiDbVb opens a package.
struct OpenOptions {
  /// Generate the session on the open database (standard road only).
  bool GenSession = false;
  /// Report installer errors of the open through CheckErrorTrans.
  bool showErrors = true;
  /// 0 opens for reading; any other value opens for writing (transacted).
  int32_t nOpenWrite = 0;
  /// The standard road: the open database's state follows (current package, session, the
  /// previous state handed back), and a package in use is opened from a copy.
  bool bStandardMsi = false;
};

/// What was open before an open on the standard road; ReOpenDatabase puts it back.
struct PState {
  /// How the database that was open had been opened.
  enum class Open { kNothing, kReading, kWriting };

  Open open = Open::kNothing;
  bool session = false;      ///< a session existed on it
  std::string szCurrentMsi;  ///< its package path

  bool operator==(const PState&) const = default;
};

/// Opens MsiFile into slot (normally the open database). "" on success, else the error text.
/// On the standard road *pState (when given) receives what was open before.
std::string OpenMsiDbVb(const std::string& MsiFile, std::shared_ptr<msi::Database>& slot,
                        const OpenOptions& options, PState* pState = nullptr);
/// OpenMsiDbVb, showing "ERROR - Not a Msi File" when it fails.
std::string OpenMsiDb(const std::string& MsiFile, std::shared_ptr<msi::Database>& slot,
                      const OpenOptions& options, PState* pState = nullptr);
/// Closes the open database and opens the one pState recorded; true when it did.
bool ReOpenDatabase(const PState& pState, bool showErrors);
/// Releases the session and the open database; the current package name stays.
void CloseVoDatabase();
/// Generates the session on the open database (read-only databases only) and runs costing.
void GenerateSession();
/// Holds the installer "Logging" policy aside in memory while a session is generated (true), or
/// ends that (false); the machine's registry is never written for it.
void SuspendLogging(bool suspend);
/// True when the package exists and may be opened; shows why not when show is true.
bool IsValidPackage(const std::string& path, bool show);

}  // namespace qv
