#pragma once
// Reading a package file from the host file system.

#include <string>

#include "platform/base/status.h"

namespace qv::msi {

/// Reads the whole file at a host path. Busy when another process holds a write lock (fcntl)
/// on it, NotFound when it does not exist, IOError for other failures.
Status ReadPackageFile(const std::string& hostPath, std::string* bytes);

/// Maps a path given to the installer (host path starting with '/', or a Windows path through
/// the machine's drives) to a host path.
Status PackageHostPath(const std::string& path, std::string* hostPath);

}  // namespace qv::msi
