#pragma once
// Reading a package from the host, and how much of it is read.

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

}  // namespace qv::msi
