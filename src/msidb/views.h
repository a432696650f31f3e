#pragma once
// Views and the table test: every query of an installer database goes through here, and
// failures are reported through CheckErrorTrans with the caller's module and location.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/msi/automation.h"

namespace qv {

/// Opens a view for szSQL into view. When the query names a back-quoted table after "FROM"
/// that does not exist, view becomes null silently; when the open fails, view becomes null
/// after the failure is reported as moduleName, location.
void QuorvexOpenView(std::shared_ptr<msi::View>& view,
                     const std::shared_ptr<msi::Database>& database, const std::string& szSQL,
                     const std::string& moduleName, int32_t location);

/// Leaves the pending error that a query on a database that is not open gives, so the caller's
/// report says so as every other query does.
void SetNoDatabaseError();

/// Closes the view, if any, and makes the reference null.
void oViewClose(std::shared_ptr<msi::View>& view);

/// True when the database has the table as a persistent table (the system tables always).
bool TableExists(const std::shared_ptr<msi::Database>& database, const std::string& table);

}  // namespace qv
