#pragma once
// Tables written as IDT text, the form msiinfo export and the installer's Export use.

#include <string>

#include "platform/base/status.h"
#include "platform/msi/package_database.h"

namespace qv::msi {

/// The table as IDT text with CR LF line ends: column names, column types, the table name
/// with its key columns, then one line per row. Binary cells show their stream's name.
Status ExportTableIdt(PackageDatabase& database, const std::string& table, std::string* text);

}  // namespace qv::msi
