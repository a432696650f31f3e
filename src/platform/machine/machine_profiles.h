#pragma once
// The kinds of machine profile: the built-in Windows 10 machine, a Wine prefix and a Windows
// installation on disk.

#include <memory>
#include <string>

#include "platform/base/status.h"
#include "platform/machine/machine.h"
#include "platform/registry/hive.h"

namespace qv {

/// Where a profile puts its host folders, and whose machine it is.
struct MachineSettings {
  std::string dataHome;    ///< $XDG_DATA_HOME, default ~/.local/share
  std::string configHome;  ///< $XDG_CONFIG_HOME, default ~/.config
  std::string userName;    ///< $USER, else the account's name
};

/// The settings the environment gives.
MachineSettings MachineSettingsFromEnvironment();

/// The built-in 64-bit Windows 10 machine: C: is dataHome/quorvex/drive_c and Z: is "/",
/// with the Windows, system and temp folders created on drive C. IOError in *status when a
/// folder cannot be made (the machine is still returned).
std::shared_ptr<Machine> BuildBuiltinMachine(const MachineSettings& settings, Status* status);

/// The machine of the Wine prefix at prefix: its dosdevices drives and its system.reg and
/// user.reg. Null with an error status naming the problem when the prefix cannot be read.
std::shared_ptr<Machine> LoadWinePrefix(const std::string& prefix, const MachineSettings& settings,
                                        Status* status);

/// The machine of the Windows installation at folder (a host folder holding
/// Windows/System32/config, such as a mounted system drive): C: is the folder and Z: the host's
/// root; HKLM\SOFTWARE and HKLM\SYSTEM come from its SOFTWARE and SYSTEM hives (with
/// CurrentControlSet the control set Select\Current names), HKCU from the user's NTUSER.DAT
/// with UsrClass.dat as HKCU\Software\Classes. The user is the profile named user (its
/// folder's name or its SID), or when user is empty the profile used last. The Windows, system
/// and temp folders and the user's SID come from the same hives. Null with an error status
/// naming the problem when the folder is no Windows installation, a hive the machine needs
/// cannot be read or the user has no profile; what can be read around (a dirty hive, a missing
/// UsrClass.dat) goes to hiveProblems.
std::shared_ptr<Machine> LoadWindowsInstallation(const std::string& folder, const std::string& user,
                                                 const MachineSettings& settings, Status* status);

/// The HKLM content of the built-in profile.
registry::Hive BuiltinMachineHive();
/// The HKCU content of the built-in profile for user userName.
registry::Hive BuiltinUserHive(const std::string& userName);

/// The built-in profile's user SID (Wine's too).
inline constexpr const char* kDefaultUserSid = "S-1-5-21-0-0-0-1000";

}  // namespace qv
