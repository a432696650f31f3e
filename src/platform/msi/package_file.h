#pragma once
// Where a package named to the installer lives on the host, and how much of it is read.

#include <cstdint>
#include <string>

#include "platform/base/status.h"

namespace qv::msi {

/// The largest package the engine reads into memory (a compound file of version 3 cannot
/// exceed 2 GiB; version 4 files of this size are far beyond any real package).
inline constexpr uint64_t kMaxPackageBytes = uint64_t{4} << 30;

/// Reads the whole package at a host path: Busy when another process holds a write lock
/// (fcntl) on it, otherwise failing as host::ReadHostFile does.
Status ReadPackageFile(const std::string& hostPath, std::string* bytes);

/// Maps a path given to the installer (host path starting with '/', or a Windows path through
/// the machine's drives) to a host path.
Status PackageHostPath(const std::string& path, std::string* hostPath);

}  // namespace qv::msi
