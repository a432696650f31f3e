#pragma once
// The msi.dll functions the program calls, answered by our engine. Handles are closed with
// MsiCloseHandle; texts come back in std::string without the NUL padding of Windows buffers,
// and where Windows would report a buffer too small, so do these functions.

#include <cstdint>
#include <string>

#include "platform/msi/msi_handles.h"
#include "platform/msi/result_codes.h"

namespace qv::msi {

/// User interface levels of MsiSetInternalUI (INSTALLUILEVEL).
inline constexpr int32_t kUiLevelNoChange = 0;
inline constexpr int32_t kUiLevelDefault = 1;
inline constexpr int32_t kUiLevelNone = 2;

/// Checks that a file is an installer package: 0 valid; 1619 it cannot be opened (missing,
/// unreadable, or held by another process); 1620 it is no installer package.
uint32_t MsiVerifyPackageA(const std::string& packagePath);

/// The components registered on the machine, one per call: *component gets the one at index
/// (0, 1, 2, ... in turn; index 0 reads the registry again). 0, 259 when no component is
/// left, 87 when index is neither 0 nor one more than the last call's.
uint32_t MsiEnumComponentsA(uint32_t index, std::string* component);
/// Reads now what the registration queries keep of the current machine's hives (the list of
/// its components and the index of its features), so that the first query after a machine
/// is loaded answers as quickly as the next.
void PrepareRegistrationQueries();

/// Sets the installer's user interface level (2 none, 3 basic, 5 full, with flags 0x20 to
/// 0x200; 0 keeps it) and returns the previous one; an unknown level changes nothing and
/// gives 0. window is not used: our engine shows no dialogs.
int32_t MsiSetInternalUI(int32_t level, void* window);

/// Opens a package read-only (mode 0) or transacted (1, nothing is ever written) into
/// *database: 0; 1619 when it cannot be opened; 1620 when it is no installer package.
uint32_t MsiOpenDatabaseA(const std::string& path, int mode, MSIHANDLE* database);

/// Opens a session on a package, or on an open database named "#<handle>", into *install: 0;
/// 6 for "#" and a handle that is no open database; 1619 when the package cannot be opened.
uint32_t MsiOpenPackageA(const std::string& packagePath, MSIHANDLE* install);

/// Runs a standard action on a session: 0; 6 no session; 1626 an action the engine lacks.
uint32_t MsiDoActionA(MSIHANDLE install, const std::string& action);

/// The target folder of a Directory key (exact case) once CostFinalize ran: 0 with *path set
/// and *size its length; 234 when *size (the buffer's characters, NUL included) cannot hold
/// it, *size then the length; 267 unknown key or not costed; 6 no session. path may be null
/// to ask for the length.
uint32_t MsiGetTargetPathA(MSIHANDLE install, const std::string& folder, std::string* path,
                           uint32_t* size);

/// Opens a view on a database for an SQL query into *view: 0; 6 no database; 1615 the query
/// is wrong.
uint32_t MsiDatabaseOpenViewA(MSIHANDLE database, const std::string& query, MSIHANDLE* view);

/// Runs a view's query, binding '?' to the fields of params (0 for none): 0; 6; 1627 failure.
uint32_t MsiViewExecute(MSIHANDLE view, MSIHANDLE params);

/// The next row of a view into *record: 0; 259 no more rows; 6 no view.
uint32_t MsiViewFetch(MSIHANDLE view, MSIHANDLE* record);

/// A new record of fieldCount fields (all null), to pass as a view's parameters.
MSIHANDLE MsiCreateRecord(uint32_t fieldCount);

/// Sets a field of a record to a text ("" makes it null): 0; 6 no record.
uint32_t MsiRecordSetStringA(MSIHANDLE record, uint32_t field, const std::string& value);

/// A field of a record as text, as MsiGetTargetPathA hands out texts (size may be null for
/// no limit): 0, 234, 6.
uint32_t MsiRecordGetStringA(MSIHANDLE record, uint32_t field, std::string* value, uint32_t* size);

/// Releases a handle: 0 (also for 0, no handle), 6 when it is not open.
uint32_t MsiCloseHandle(MSIHANDLE handle);

}  // namespace qv::msi
