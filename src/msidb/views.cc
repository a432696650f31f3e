#include "msidb/views.h"

#include <algorithm>
#include <cctype>

#include "msidb/error_report.h"
#include "platform/base/pending_error.h"

namespace qv {
namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// The back-quoted name after the first "FROM", or "" when the query has none.
std::string QuotedTableAfterFrom(const std::string& sql) {
  const size_t from = Upper(sql).find("FROM");
  if (from == std::string::npos) return "";
  const size_t open = sql.find('`', from);
  if (open == std::string::npos) return "";
  const size_t close = sql.find('`', open + 1);
  if (close == std::string::npos) return "";
  return sql.substr(open + 1, close - open - 1);
}

}  // namespace

void QuorvexOpenView(std::shared_ptr<msi::View>& view,
                     const std::shared_ptr<msi::Database>& database, const std::string& szSQL,
                     const std::string& moduleName, int32_t location) {
  const std::string table = QuotedTableAfterFrom(szSQL);
  if (!table.empty() && !TableExists(database, table)) {
    view = nullptr;  // a missing table is no error: the caller simply gets no view
    return;
  }
  view = nullptr;
  if (database) {
    view = database->OpenView(szSQL);
  } else {
    SetNoDatabaseError();
  }
  CheckErrorTrans(moduleName, location);
}

void SetNoDatabaseError() {
  // What Visual Basic raises for a call on an object variable that holds nothing.
  SetPendingError(91, "QuorvexConverter", "Object variable or With block variable not set");
}

void oViewClose(std::shared_ptr<msi::View>& view) {
  if (!view) return;
  view->Close();
  view = nullptr;
}

bool TableExists(const std::shared_ptr<msi::Database>& database, const std::string& table) {
  if (!database) return false;
  const std::string upper = Upper(table);
  if (upper == "_COLUMNS" || upper == "_TABLES" || upper == "_STREAMS" || upper == "_STORAGE") {
    return true;
  }
  ClearPendingError();
  std::shared_ptr<msi::View> view;
  QuorvexOpenView(view, database, "SELECT * FROM `_Tables` WHERE `Name` = '" + table + "'",
                  "Common_MsiFunctions", 1627);
  if (!view) return false;
  bool exists = false;
  if (view->Execute()) {
    std::shared_ptr<msi::Record> record = view->Fetch();
    exists = record && database->TablePersistent(table) == 1;
  }
  oViewClose(view);
  return exists;
}

}  // namespace qv
