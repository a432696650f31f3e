#pragma once
// The installer's error records, as LastErrorRecord hands them out.

#include <memory>
#include <string>
#include <vector>

#include "platform/msi/automation.h"

namespace qv::msi {

/// Installer error numbers the engine reports.
inline constexpr int kErrorOpenDatabase = 2203;     ///< cannot open database file
inline constexpr int kErrorUnknownTable = 2228;     ///< unknown table in SQL query
inline constexpr int kErrorUnexpectedToken = 2232;  ///< unexpected token in SQL query
inline constexpr int kErrorUnknownColumn = 2235;    ///< column not present or ambiguous
inline constexpr int kErrorExecute = 2251;          ///< view could not be executed
inline constexpr int kErrorFetch = 2253;            ///< row could not be fetched

/// A record with the error number in field 1 and args in fields 2, 3, ...
std::shared_ptr<Record> MakeErrorRecord(int number, const std::vector<std::string>& args);
/// Records the error for the next LastErrorRecord.
void SetLastErrorRecord(std::shared_ptr<Record> record);
/// The last error record, which is forgotten once handed out (as the installer does); null
/// when none is pending.
std::shared_ptr<Record> TakeLastErrorRecord();

}  // namespace qv::msi
