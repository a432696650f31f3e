#pragma once
// The installer helper library of the maker (dunarMsi.dll) over our engine: GUID forms, and
// packages opened through msi.dll handles, which the caller closes with MsiCloseHandle.

#include <cstdint>
#include <string>

#include "platform/msi/msi_handles.h"

namespace qv {

/// The packed form of a standard GUID (braces optional, any case) into *buffer, upper case:
/// the digits of each of the first three groups reversed, then the last 16 digits with the
/// two digits of each pair swapped. Returns 1; 0 (and "") when guid is not a GUID.
int32_t GUIDFormattedToPacked(const std::string& guid, std::string* buffer);

/// The standard form ("{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case) of a packed GUID
/// (32 hexadecimal digits) into *buffer. Returns 1; 0 (and "") when packed is not one.
int32_t GUIDPackedToFormatted(const std::string& packed, std::string* buffer);

/// Opens a package into *database with the open mode as text ("0" read-only, "1" transacted;
/// the package is only read). Non-zero on success; 0 (and *database 0) when the package
/// cannot be opened or the mode would write.
int32_t OpenMsiDatabase(const std::string& packagePath, msi::MSIHANDLE* database,
                        const std::string& mode);

/// Opens an installer session with its folders resolved (CostInitialize, FileCost,
/// CostFinalize run) into *install: on the package at packagePath, or on database when
/// packagePath is "". Non-zero on success; 0 (and *install 0) on failure, when the caller
/// still closes database.
int32_t OpenMsiInstall(const std::string& packagePath, msi::MSIHANDLE database,
                       msi::MSIHANDLE* install);

/// Reads field (1-based) of the row of table whose keyColumn equals keyValue into *buffer,
/// cut to *size - 1 characters (*size then the text's length). *database 0 opens the package
/// at packagePath, *database non-zero is used as it is; *view may hold a view of an earlier
/// call, which is closed. With keepOpen 0 every handle this call opened is closed before it
/// returns (and set to 0); otherwise they are handed back for the caller to close. Returns 1
/// when the row was read, 0 otherwise (*buffer "").
int32_t GetMSISRec(msi::MSIHANDLE* database, const std::string& packagePath, int32_t keepOpen,
                   msi::MSIHANDLE* view, const std::string& table, const std::string& keyColumn,
                   const std::string& keyValue, int32_t field, std::string* buffer, int32_t* size);

}  // namespace qv
