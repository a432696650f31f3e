#pragma once
// The folder and system properties the installer gives every session on a machine.

#include <map>
#include <string>

#include "platform/machine/machine.h"

namespace qv::msi {

/// Properties of a 64-bit Windows machine as an installer session sees them: the folder
/// properties (ProgramFilesFolder, System64Folder, the user's shell folders, ...; each ending
/// in '\'), ROOTDRIVE, TempFolder and the system properties (VersionNT, LogonUser, ...),
/// taken from the machine profile and its registry hives.
std::map<std::string, std::string> MachineProperties(const Machine& machine);

}  // namespace qv::msi
