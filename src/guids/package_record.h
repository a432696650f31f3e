#pragma once
// One row of a product's cached package, read through the program's open database and put
// back as it was.

#include <cstdint>
#include <string>

namespace qv {

/// What GetPackageRecord found.
enum class PackageRecordStatus : int32_t {
  kFound = 0,      ///< the row was read
  kNoPackage = 1,  ///< the product has no cached package, or it did not open
  kNoRow = 2,      ///< no row matched
};

/// The row of table whose keyColumn is keyValue (and, when secondColumn is not empty, whose
/// secondColumn is secondValue) as a field-tagged record "|0=<field 0>|1=<field 1>..." of
/// fieldCount fields; "" when none. When no database is open, the product's cached package is
/// opened into the open database for this query alone and the state before is put back.
std::string GetPackageRecord(const std::string& table, int32_t fieldCount,
                             const std::string& product, const std::string& keyColumn,
                             const std::string& keyValue, const std::string& secondColumn,
                             const std::string& secondValue, PackageRecordStatus* status);

}  // namespace qv
