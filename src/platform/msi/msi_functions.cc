#include "platform/msi/msi_functions.h"

#include <memory>

#include "platform/msi/engine_installer.h"
#include "platform/msi/package_database.h"

namespace qv::msi {

uint32_t MsiVerifyPackageA(const std::string& packagePath) {
  std::shared_ptr<PackageDatabase> database;
  const Status s = OpenPackageDatabase(packagePath, kOpenReadOnly, &database);
  if (s.ok()) return kErrorSuccess;
  switch (s.code()) {
    case Status::Code::kNotFound:
    case Status::Code::kIOError:
    case Status::Code::kBusy:
    case Status::Code::kInvalidArgument:
      return kErrorInstallPackageOpenFailed;
    default:
      return kErrorInstallPackageInvalid;
  }
}

}  // namespace qv::msi
