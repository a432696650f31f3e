#pragma once
// Everything the program keeps for its whole run in one object: the values start-up sets and
// every module reads, and the one open installer database. Start-up (app/) fills it; the
// database-open layer (msidb/) alone changes the open database.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/msi/automation.h"
#include "state/open_database_state.h"

namespace qv {

/// The settings key when none was set yet.
inline constexpr const char* kDefaultSettingsKey = "Dunar\\Quorvex";
/// The highest entry number an installer-file history keeps.
inline constexpr int32_t kDefaultHistoryMax = 10;
/// The character that marks a file key inside an installer record.
inline constexpr const char* kDefaultFileKeyMarker = "#";

/// The program's state for the whole run (one user-interface thread, so one instance).
struct ProgramState {
  std::string SettingsKey;  ///< relative registry key path of the settings; "" before start-up
  std::shared_ptr<msi::Installer> InstallerObject;  ///< null when it could not be created
  std::string WindowsDir;                           ///< the Windows folder (no trailing backslash)
  std::string SystemDir;      ///< the Windows system folder (no trailing backslash)
  std::string LibrarySysDir;  ///< the utility library's folder with "sys" appended
  int32_t HistoryMax = kDefaultHistoryMax;
  std::string FileKeyMarker = kDefaultFileKeyMarker;
  OpenDatabaseState database;  ///< the one open database and its session
};

/// The program's one state, live for the whole run.
ProgramState& Program();
/// The open database of the program's state (Program().database).
OpenDatabaseState& OpenDb();
/// The settings key, or kDefaultSettingsKey while none is set.
std::string SettingsKeyPath();

/// Puts every piece of program state back as it is before start-up: the values above and the
/// open database, the pending error, the record lists with their bookkeeping, the numbered
/// text files and the ended-program mark. Tests run many programs in one process.
void ResetProgramState();

}  // namespace qv
