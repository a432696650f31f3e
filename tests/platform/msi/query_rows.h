#pragma once
// Reads query results as text, so that tests compare whole results in one line.

#include <string>

#include "platform/msi/automation.h"

namespace qv::msi {

/// Every row of a query, fields joined by '|', rows by ';', null fields as '~'; "<no view>" or
/// "<execute failed>" when the query cannot run.
inline std::string QueryRows(Database& db, const std::string& sql, const Record* params = nullptr) {
  auto view = db.OpenView(sql);
  if (!view) return "<no view>";
  if (!view->Execute(params)) return "<execute failed>";
  std::string out;
  while (auto r = view->Fetch()) {
    if (!out.empty()) out += ";";
    for (int i = 1; i <= r->FieldCount(); ++i) {
      if (i > 1) out += "|";
      out += r->IsNull(i) ? "~" : r->StringData(i);
    }
  }
  view->Close();
  return out;
}

}  // namespace qv::msi
