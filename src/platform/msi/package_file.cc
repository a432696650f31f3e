#include "platform/msi/package_file.h"

#include "platform/fs/path_map.h"
#include "platform/host/whole_file.h"

namespace qv::msi {

Status ReadPackageFile(const std::string& hostPath, std::string* bytes) {
  // A write lock held by another process means another application has the package open.
  return host::ReadHostFile(hostPath, kMaxPackageBytes, bytes, {.refuseInUse = true});
}

Status PackageHostPath(const std::string& path, std::string* hostPath) {
  if (!path.empty() && path[0] == '/') {
    *hostPath = path;
    return Status::Ok();
  }
  return fs::HostPathOf(path, hostPath);
}

}  // namespace qv::msi
