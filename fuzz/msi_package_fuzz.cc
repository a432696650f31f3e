// Opens arbitrary bytes as an installer package, reads every table and runs a few queries.
// Seeds: the fixture packages, built by fuzz/package_seeds (packages are never committed).

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/pending_error.h"
#include "platform/msi/error_records.h"
#include "platform/msi/idt_export.h"
#include "platform/msi/package_database.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qv::msi;
  std::shared_ptr<PackageDatabase> db;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (!PackageDatabase::Open(std::move(bytes), "fuzz.msi", kOpenReadOnly, &db).ok()) return 0;
  std::vector<std::string> tables = db->TableNames();
  tables.insert(tables.end(), {"_Tables", "_Columns", "_Streams", "_Storages"});
  for (const std::string& table : tables) {
    std::string text;
    ExportTableIdt(*db, table, &text).IgnoreError();  // a broken table fails alone
    if (auto view = db->OpenView("SELECT * FROM `" + table + "` ORDER BY `Name`")) {
      if (view->Execute()) {
        while (view->Fetch()) {
        }
      }
    }
  }
  for (const char* sql : {"SELECT * FROM `Component` WHERE `Component` = 'a' OR `Attributes` > 2",
                          "SELECT `Value` FROM `Property` WHERE `Property` = ?",
                          "SELECT `Name`, `Data` FROM `Binary`"}) {
    if (auto view = db->OpenView(sql)) {
      Record params(1);
      params.SetStringData(1, "ProductName");
      if (view->Execute(&params)) {
        while (view->Fetch()) {
        }
      }
    }
  }
  TakeLastErrorRecord();
  qv::ClearPendingError();
  return 0;
}
