#include "platform/msi/package_file.h"

#include "platform/host/whole_file.h"

namespace qv::msi {

Status ReadPackageFile(const std::string& hostPath, std::string* bytes) {
  // A write lock held by another process means another application has the package open.
  return host::ReadHostFile(hostPath, kMaxPackageBytes, bytes, {.refuseInUse = true});
}

}  // namespace qv::msi
