#pragma once
// "Held open by another application", the way the file-system view sees it on the host.

#include <string>

namespace qv::fs {

/// True when another process holds a write lock (fcntl, classic or open-file-description) on
/// any part of the file at this host path. Locks of this process do not count; a file that
/// cannot be opened for reading is not seen as in use.
bool IsFileInUse(const std::string& hostPath);

}  // namespace qv::fs
