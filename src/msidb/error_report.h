#pragma once
// How installer failures reach the user: the caller names its module and a fixed location
// number, and the report describes the pending error and the open database.

#include <cstdint>
#include <string>

namespace qv {

/// Shows the "Msi Access Error" question for a pending error (nothing when none is pending):
/// Yes ends the program, No and Cancel go on with the error cleared.
void CheckErrorTrans(const std::string& moduleName, int32_t location);
/// True when an error was pending; reports it as module "QuorvexDB_Bas" when show is true,
/// and clears it in any case.
bool CheckInstallerError(bool show, int32_t location);
/// The pending error, the open package and its state, and the installer's last error record.
std::string DatabaseErrorContext();
/// "Not Opened", "Opened for Writing" or "Opened for Reading", plus " - Session generated".
std::string DatabaseStateText();

}  // namespace qv
