#pragma once
// Copying a file the way Windows CopyFile does, for the copy made of a package in use.

#include <string>

#include "platform/base/status.h"

namespace qv::fs {

/// Copies the bytes of one host file to another, keeping the permissions and the last-write
/// time. With failIfExists an existing target is an IOError; otherwise it is replaced (a
/// read-only target is not, as on Windows: PermissionDenied). The source may be locked by
/// another process. Failures are worded as host::HostFile words them.
Status CopyHostFile(const std::string& from, const std::string& to, bool failIfExists);

}  // namespace qv::fs
