#pragma once
// Tables written as IDT text, the form msiinfo export and the installer's Export use.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/status.h"
#include "platform/msi/package_database.h"

namespace qv::msi {

/// The table as IDT text with CR LF line ends: column names, column types, the table name
/// with its key columns, then one line per row. Binary cells show their stream's name.
/// "_SummaryInformation" is the summary information as property ids and values (times in local
/// time), "_ForceCodepage" the database codepage, both written as msiinfo export writes them.
Status ExportTableIdt(PackageDatabase& database, const std::string& table, std::string* text);

/// The names export takes, as msiinfo tables lists them: "_SummaryInformation",
/// "_ForceCodepage", then the stored tables in _Tables order.
std::vector<std::string> ExportableTables(const PackageDatabase& database);

/// True for a name ExportableTables lists.
bool CanExportTable(const PackageDatabase& database, const std::string& name);

/// True for the summary property ids the summary table shows (those with a type: 1 to 19
/// but 10 and 17).
bool IsTableSummaryProperty(uint32_t pid);

}  // namespace qv::msi
