#pragma once
// The user profiles a Windows installation lists, and which of them was used last.
//
// Facts relied on, about HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList:
// - Each subkey is named by the SID of an account that has a profile, and holds
//   ProfileImagePath (the profile folder, REG_EXPAND_SZ, such as "C:\Users\ann" or
//   "%SystemDrive%\Users\ann"), Flags, State and Sid.
// - Since Windows 7 it also holds LocalProfileLoadTimeHigh and LocalProfileLoadTimeLow (REG_DWORD,
//   the high and low halves of the FILETIME at which the profile was last loaded, at logon) and
//   LocalProfileUnloadTimeHigh and LocalProfileUnloadTimeLow (the same for the last unload, at
//   logoff). The older ProfileLoadTimeHigh/Low are always 0 there.
// - Accounts of people have SIDs S-1-5-21-... (local and domain accounts) or S-1-12-1-...
//   (Azure AD accounts); S-1-5-18, S-1-5-19 and S-1-5-20 are the system and service accounts.
// - The key itself holds ProfilesDirectory, ProgramData, Public and Default (REG_EXPAND_SZ).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/machine/environment_strings.h"
#include "platform/registry/hive_source.h"

namespace qv {

/// Where ProfileList lives in the SOFTWARE hive.
inline constexpr const char* kProfileListKey = "Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

/// One profile of a person's account.
struct WindowsProfileEntry {
  std::string sid;
  std::string folder;     ///< ProfileImagePath expanded, a Windows path
  uint64_t lastUsed = 0;  ///< the later of its last load and unload (FILETIME); 0 when unknown
  /// The name of its folder ("ann" for C:\Users\ann), which names the user.
  std::string Name() const;
};

/// The profiles of people's accounts that ProfileList of software (the SOFTWARE hive, paths
/// relative to its root) lists, their folders expanded with env, in the order of the SIDs.
std::vector<WindowsProfileEntry> ReadUserProfiles(const registry::HiveSource& software,
                                                  const Environment& env);

/// A text of ProfileList's own value name (ProgramData, Public, ...) expanded with env; "" when
/// it is absent.
std::string ProfileListFolder(const registry::HiveSource& software, const std::string& name,
                              const Environment& env);

}  // namespace qv
