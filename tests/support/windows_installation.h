#pragma once
// Windows installations on disk for tests: Windows/System32/config with SOFTWARE and SYSTEM,
// user profiles with NTUSER.DAT and UsrClass.dat.
// The hives hold tests/data/registry/windows/*.reg and what a test adds, written through
// libhivex's write API, so the reader is checked against an independent writer's layout.

#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace qv::test {

/// A user profile of a test installation.
struct WindowsProfile {
  std::string name = "tester";  ///< its folder under Users
  std::string sid = "S-1-5-21-0-0-0-1000";
  /// FILETIMEs of its last load and unload (LocalProfileLoadTime*, LocalProfileUnloadTime*);
  /// 0 leaves the values out.
  uint64_t loadTime = 0;
  uint64_t unloadTime = 0;
  /// NTUSER.DAT content beyond the usual Environment and shell folders, in Wine's format
  /// (keys relative to HKCU), header included.
  std::string user;
  /// UsrClass.dat content (keys relative to HKCU\Software\Classes), header included.
  std::string classes;
  bool writeUserHive = true;  ///< false leaves NTUSER.DAT out
};

/// What a test installation holds.
struct WindowsInstallationOptions {
  std::vector<WindowsProfile> profiles = {WindowsProfile{}};
  /// SystemRoot as the SOFTWARE hive names it.
  std::string systemRoot = "C:\\Windows";
  /// The control set Select\Current names (ControlSet001 and ControlSet002 are written, with
  /// different TEMP folders: C:\Windows\TEMP and C:\Windows\Temp2).
  uint32_t currentControlSet = 1;
};

/// Lays out a Windows installation at dir/relative and returns its host path: the SOFTWARE
/// hive with SystemRoot and a ProfileList entry per profile, and per profile
/// Users/<name>/NTUSER.DAT and AppData/Local/Microsoft/Windows/UsrClass.dat. Fails the
/// current test when a hive cannot be written.
std::string WriteWindowsInstallation(const TempDir& dir, const std::string& relative,
                                     const WindowsInstallationOptions& options = {});

/// Writes an empty hive at path and adds the keys and values of text (Wine's format, keys
/// relative to the hive's root, header included) through libhivex's write API. Fails the
/// current test when libhivex refuses.
void WriteHiveThroughHivex(const std::string& path, const std::string& text);

/// The host path of an installation's hive: "SOFTWARE" or "SYSTEM".
std::string ConfigHivePath(const std::string& installation, const std::string& name);

}  // namespace qv::test
