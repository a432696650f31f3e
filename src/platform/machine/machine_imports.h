#pragma once
// Registry exports made on another Windows machine, laid read-only over a machine's hives so
// that its registrations (installed products, components, COM classes) can be looked at here.

#include <string>

#include "platform/machine/machine.h"

namespace qv {

/// Lays the registry files named in list (host paths separated by ':'; regedit or reg export
/// files in UTF-16LE or ANSI/UTF-8, or Wine registry files) over machine's hives, an earlier
/// file over a later one. Keys land where Windows keeps them: HKEY_LOCAL_MACHINE in the
/// machine hive, HKEY_CLASSES_ROOT under its Software\Classes, HKEY_CURRENT_USER and
/// HKEY_USERS\<the user's SID> in the user hive (HKEY_USERS\<SID>_Classes under its
/// Software\Classes), other HKEY_USERS keys under HKEY_USERS. A file that cannot be read is
/// left out; it, a root that is not used and skipped lines each add one entry to
/// machine->importProblems.
void ApplyRegistryImports(const std::string& list, Machine* machine);

}  // namespace qv
