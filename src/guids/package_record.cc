#include "guids/package_record.h"

#include <memory>
#include <optional>

#include "guids/product_info.h"
#include "msidb/database_open.h"
#include "msidb/views.h"
#include "services/file_functions.h"
#include "state/program_state.h"

namespace qv {
namespace {

constexpr const char* kViewModule = "Common";
constexpr int32_t kViewLocation = 5437;

std::string Query(const std::string& table, const std::string& keyColumn,
                  const std::string& keyValue, const std::string& secondColumn,
                  const std::string& secondValue) {
  std::string sql = "SELECT * FROM `" + table + "` WHERE `" + keyColumn + "` = '" + keyValue + "'";
  if (!secondColumn.empty()) sql += " AND `" + secondColumn + "` = '" + secondValue + "'";
  return sql;
}

// Reads the first row the query gives on the open database into *record as a field-tagged
// record; false when there is none.
bool FirstRow(const std::string& sql, int32_t fieldCount, std::string* record) {
  std::shared_ptr<msi::View> view;
  QuorvexOpenView(view, OpenDb().oDatabase, sql, kViewModule, kViewLocation);
  std::shared_ptr<msi::Record> row;
  if (view && view->Execute()) row = view->Fetch();
  if (row) {
    for (int32_t i = 0; i < fieldCount; ++i) {
      *record += "|" + std::to_string(i) + "=" + row->StringData(i);
    }
  }
  oViewClose(view);
  return row != nullptr;
}

}  // namespace

std::string GetPackageRecord(const std::string& table, int32_t fieldCount,
                             const std::string& product, const std::string& keyColumn,
                             const std::string& keyValue, const std::string& secondColumn,
                             const std::string& secondValue, PackageRecordStatus* status) {
  *status = PackageRecordStatus::kFound;
  OpenDatabaseState& db = OpenDb();
  std::optional<PState> opened;
  if (!db.oDatabase) {
    const std::string path = GetLocalPackage(product);
    if (ExistFile(path) == 1) {
      *status = PackageRecordStatus::kNoPackage;
      return "";
    }
    PState previous;
    OpenMsiDb(path, db.oDatabase,
              {.GenSession = false, .showErrors = true, .nOpenWrite = 0, .bStandardMsi = true},
              &previous);
    if (!db.oDatabase) {
      *status = PackageRecordStatus::kNoPackage;
      return "";
    }
    opened = previous;
  }
  std::string record;
  if (!FirstRow(Query(table, keyColumn, keyValue, secondColumn, secondValue), fieldCount,
                &record)) {
    *status = PackageRecordStatus::kNoRow;
  }
  // Only what this call opened is put back; a database the caller had open stays open.
  if (opened) ReOpenDatabase(*opened, true);
  return record;
}

}  // namespace qv
