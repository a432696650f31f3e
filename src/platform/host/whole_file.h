#pragma once
// Whole host files: read at once with a bound on their size, and replaced so that a crash
// leaves either the old or the new content, never a half-written file.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/base/status.h"

namespace qv::host {

/// ReadHostFile's choices.
struct ReadOptions {
  /// Busy "<path>: in use by another process" when another process holds a write lock on the
  /// file (an installer package another application has open).
  bool refuseInUse = false;
  /// A larger file gives its first maxBytes instead of Corruption (reading a header).
  bool headOnly = false;
};

/// Replaces *bytes by the content of the regular file at path, which may hold at most
/// maxBytes: Corruption "<path>: larger than <maxBytes>" otherwise. Failures as
/// HostFile::Open words them (no such file, not a regular file, permission denied, ...);
/// *bytes is empty after any failure.
Status ReadHostFile(const std::string& path, uint64_t maxBytes, std::string* bytes,
                    ReadOptions options = {});

/// Replaces the file at path by bytes: writes "<path>.tmp-<pid>", syncs it, runs beforeRename
/// (tests stop a process there), renames it over path and syncs the folder. On failure the
/// temporary file is removed and path is unchanged. Temporary files of path that writers
/// killed before their rename left behind are removed first, when their process is gone.
Status ReplaceHostFile(const std::string& path, std::string_view bytes,
                       const std::function<void()>& beforeRename = {});

}  // namespace qv::host
