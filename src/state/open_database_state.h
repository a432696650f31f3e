#pragma once
// The program's one open installer database, the session on it, and what was resolved from it.

#include <memory>
#include <string>

#include "platform/msi/automation.h"

namespace qv {

/// The one program-wide open database; only the database-open layer changes it.
struct OpenDatabaseState {
  std::shared_ptr<msi::Database> oDatabase;  ///< the open database, or null
  std::shared_ptr<msi::Session> oSession;    ///< the session on oDatabase, or null
  std::string szCurrentMsi;                  ///< path of the package opened on the standard road
  std::string szSourceDir;                   ///< the session's SourceDir after costing
  std::string szTargetDir;                   ///< the session's TARGETDIR after costing, adjusted
  std::string szRootDrive;                   ///< the session's ROOTDRIVE after costing, adjusted
  std::string szSavedLogging;  ///< the installer "Logging" policy held aside during costing
  std::string szCopyMsi;       ///< the copy made by the last copy fallback, or ""
};

}  // namespace qv
