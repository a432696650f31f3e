#pragma once
// Opening installer packages into the one open database, generating the session on it, and
// putting back what was open before.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/msi/automation.h"

namespace qv {

/// The previous-state token an open hands out: "0" when nothing was open, else "1" (read) or
/// "2" (write), then "1"/"0" for a session, then the package path.
using PState = std::string;

/// Opens MsiFile into slot (normally the open database). "" on success, else the error text.
/// bStandardMsi: the shared state follows (current package, session, previous-state token).
std::string OpenMsiDbVb(const std::string& callerTag, const std::string& MsiFile,
                        std::shared_ptr<msi::Database>& slot, bool GenSession, bool showErrors,
                        int32_t nOpenWrite, PState* pState, bool bStandardMsi);
/// OpenMsiDbVb, showing "ERROR - Not a Msi File" when it fails.
std::string OpenMsiDb(const std::string& callerTag, const std::string& MsiFile,
                      std::shared_ptr<msi::Database>& slot, bool GenSession, bool showErrors,
                      int32_t nOpenWrite, PState* pState, bool bStandardMsi);
/// Closes the open database and opens the one a token recorded; true when it did.
bool ReOpenDatabase(const PState& pState, bool showErrors);
/// Releases the session and the open database; the current package name stays.
void CloseVoDatabase();
/// Generates the session on the open database (read-only databases only) and runs costing.
void GenerateSession();
/// Holds the installer "Logging" policy aside (true) or puts it back (false).
void SuspendLogging(bool suspend);
/// True when the package exists and may be opened; shows why not when show is true.
bool IsValidPackage(const std::string& path, bool show);

}  // namespace qv
