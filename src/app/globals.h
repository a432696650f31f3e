#pragma once
// The program-wide values start-up sets and every module reads.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/msi/automation.h"

namespace qv {

/// The relative registry key path of the settings ("Dunar\Quorvex").
extern std::string SettingsKey;
/// The installer automation object; null when it could not be created.
extern std::shared_ptr<msi::Installer> InstallerObject;
/// The Windows folder (no trailing backslash).
extern std::string WindowsDir;
/// The Windows system folder (no trailing backslash).
extern std::string SystemDir;
/// The utility library's folder with "sys" appended.
extern std::string LibrarySysDir;
/// The highest entry number kept in an installer-file history.
extern int32_t HistoryMax;
/// The character that marks a file key inside an installer record.
extern std::string FileKeyMarker;

/// The settings key when none was set yet.
inline constexpr const char* kDefaultSettingsKey = "Dunar\\Quorvex";

}  // namespace qv
