#pragma once
// Views: SELECT queries run on a PackageDatabase.

#include <memory>
#include <string>

#include "platform/msi/automation.h"

namespace qv::msi {

class PackageDatabase;

/// Parses the query and checks its table and columns against the database; null with the
/// pending error ("OpenView,Sql") and the last error record (2228, 2232, 2235) on failure.
/// The view keeps the database open while it lives.
std::shared_ptr<View> OpenSqlView(std::shared_ptr<PackageDatabase> database,
                                  const std::string& sql);

}  // namespace qv::msi
