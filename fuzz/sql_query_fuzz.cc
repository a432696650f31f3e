// Runs arbitrary text as a query on a fixed package: the one named by QV_FUZZ_PACKAGE
// (./test builds it from tests/data/msi/basic with fuzz/package_seeds). Parses it, opens the
// view and fetches what it answers, with three parameters bound.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/base/pending_error.h"
#include "platform/host/whole_file.h"
#include "platform/msi/error_records.h"
#include "platform/msi/package_database.h"
#include "platform/msi/package_file.h"
#include "platform/msi/sql_parser.h"

namespace {

std::shared_ptr<qv::msi::PackageDatabase> g_package;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* path = std::getenv("QV_FUZZ_PACKAGE");
  std::string bytes;
  qv::Status s = path == nullptr ? qv::Status::InvalidArgument("QV_FUZZ_PACKAGE is not set")
                                 : qv::host::ReadHostFile(path, qv::msi::kMaxPackageBytes, &bytes);
  if (s.ok()) {
    s = qv::msi::PackageDatabase::Open(std::move(bytes), path, qv::msi::kOpenReadOnly, &g_package);
  }
  if (!s.ok()) {
    std::fprintf(stderr, "sql_query_fuzz needs a package in QV_FUZZ_PACKAGE: %s\n",
                 s.ToString().c_str());
    std::exit(1);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qv::msi;
  const std::string sql(reinterpret_cast<const char*>(data), size);
  SelectStatement statement;
  std::string badToken;
  ParseSelect(sql, &statement, &badToken).IgnoreError();  // the view parses it again
  if (auto view = g_package->OpenView(sql)) {
    Record params(3);
    params.SetStringData(1, "HelpDoc");
    params.SetIntegerData(2, 3);
    if (view->Execute(&params)) {
      while (view->Fetch()) {
      }
    }
    view->Close();
  }
  TakeLastErrorRecord();
  qv::ClearPendingError();
  return 0;
}
