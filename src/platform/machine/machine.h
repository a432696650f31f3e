#pragma once
// The machine the program runs on, as Windows would describe it: drive letters mapped to host
// folders, the Windows, system and temp folders, the user, and the read-only registry hives.
// It is the Windows installation on disk named by QUORVEX_WINDOWS, the Wine prefix named by
// WINEPREFIX, or the built-in 64-bit Windows 10 profile. Tests build machines in-process from
// fixture folders.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/status.h"

namespace qv {

namespace registry {
class HiveSource;
}

/// Where one part of a machine's registry comes from.
struct HiveOrigin {
  std::string key;        ///< the part: "HKLM", "HKLM\SOFTWARE", "HKCU\Software\Classes", ...
  std::string source;     ///< a host path, or a description ("built-in")
  bool imported = false;  ///< a registry export of QUORVEX_REGISTRY_IMPORT laid over the machine
};

/// One Windows machine: everything the platform layer answers from.
struct Machine {
  /// Drive letter (upper case) to the host folder it maps to, without a trailing '/' ("/" for
  /// the host's root).
  std::map<char, std::string> drives;
  std::string windowsDir;  ///< "C:\Windows" (Wine: "C:\windows"), no trailing backslash
  std::string systemDir;   ///< "C:\Windows\system32", no trailing backslash
  std::string tempDir;     ///< the user's temp folder as a Windows path, trailing backslash
  std::string userName;
  std::string userSid;     ///< the user's SID, as registry paths of the installer use it
  std::string winePrefix;  ///< host path of the Wine prefix; empty for the other kinds
  /// Host path of the Windows installation (the folder holding Windows/System32/config);
  /// empty for the other kinds.
  std::string windowsInstallation;
  /// HKEY_LOCAL_MACHINE content of the machine (read-only; may be empty, never null).
  std::shared_ptr<const registry::HiveSource> machineHive;
  /// HKEY_CURRENT_USER content of the machine (read-only; may be empty, never null).
  std::shared_ptr<const registry::HiveSource> userHive;
  /// Keys of HKEY_USERS other than the user's own (read-only; null when there are none).
  std::shared_ptr<const registry::HiveSource> usersHive;
  /// Registry exports named in QUORVEX_REGISTRY_IMPORT that could not be read or used, one
  /// problem each ("path: what is wrong"), for start-up to report once.
  std::vector<Status> importProblems;
  /// What is wrong with the machine's own hive files without keeping it from being built (a
  /// dirty hive, a damaged one read with recovery, a classes hive left out), one problem each
  /// ("path: what is wrong"), for start-up to report once.
  std::vector<Status> hiveProblems;
  /// The parts of the registry and where each comes from, the machine's own first, then the
  /// registry exports laid over them.
  std::vector<HiveOrigin> hiveOrigins;
  /// Host folder of the program's own writable registry store ($XDG_CONFIG_HOME/quorvex).
  std::string storeDir;
};

/// The machine in use: loaded from the environment on first use unless one was set.
const Machine& CurrentMachine();
/// The same, shared: holding it keeps the machine alive across SetCurrentMachine.
std::shared_ptr<const Machine> CurrentMachinePtr();
/// Replaces the machine in use (tests, and start-up after loading); null reloads on next use.
void SetCurrentMachine(std::shared_ptr<const Machine> machine);
/// Builds the machine the environment names: the Windows installation of QUORVEX_WINDOWS (the
/// user QUORVEX_WINDOWS_USER, else the one who used it last), else WINEPREFIX's prefix, else the
/// built-in profile, with the registry exports of QUORVEX_REGISTRY_IMPORT layered over its
/// hives. An installation or prefix that cannot be read gives an error status and the built-in
/// profile; exports that cannot be read are left out and listed in importProblems.
std::shared_ptr<const Machine> LoadMachineFromEnvironment(Status* status);

/// Every problem start-up reports for the machine: its hive problems, then its import
/// problems.
std::vector<Status> MachineProblems(const Machine& machine);

/// What kind of machine it is, in words: "Windows installation /mnt/win", "Wine prefix
/// /home/ann/.wine" or "built-in Windows 10 profile".
std::string MachineKindText(const Machine& machine);

/// The Windows form of a host path: the drive whose host folder is the longest prefix of it,
/// as Wine does ("/home/ann/a.msi" is "Z:\home\ann\a.msi" on the built-in profile).
std::string WindowsFormOfHostPath(const Machine& machine, const std::string& hostPath);

/// Fills *buffer with the Windows folder; returns its length, or the size needed (including
/// the terminating NUL) when size is too small, as the Win32 call does.
uint32_t GetWindowsDirectoryA(std::string* buffer, uint32_t size);
/// The same for the system folder.
uint32_t GetSystemDirectoryA(std::string* buffer, uint32_t size);
/// Fills *buffer with the running executable's path in Windows form (Z:\...), cut to size - 1
/// characters as Windows cuts it; returns the length copied.
uint32_t GetModuleFileNameA(std::string* buffer, uint32_t size);

}  // namespace qv
