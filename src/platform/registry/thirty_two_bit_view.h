#pragma once
// The 32-bit view of a 64-bit machine's registry. This program is a 32-bit Windows program:
// on a 64-bit machine the folder values it reads under HKLM\Software come from the
// Software\Wow6432Node twin of their key, so "ProgramFilesDir" names "C:\Program Files (x86)"
// for it, the folder the installer gives 32-bit packages. Every other read stays in the
// machine's native view.

#include <string>
#include <string_view>

#include "platform/registry/hive_source.h"

namespace qv::registry {

/// True for the values read through the 32-bit view: "ProgramFilesDir" and "CommonFilesDir"
/// of Software\Microsoft\Windows\CurrentVersion (a machine hive path, without its root).
bool ReadInThirtyTwoBitView(std::string_view path, std::string_view name);

/// The twin of a machine hive path under Software\Wow6432Node ("Software\Microsoft\x" is
/// "Software\Wow6432Node\Microsoft\x"); "" for a path outside Software, or already in the node.
std::string ThirtyTwoBitTwin(std::string_view path);

/// The path a read of value name at path should use on machineHive: the 32-bit twin when the
/// value is read in the 32-bit view and the twin holds it (the machine has a 32-bit view),
/// otherwise path itself.
std::string ViewPathOf(const HiveSource& machineHive, std::string_view path, std::string_view name);

}  // namespace qv::registry
