#pragma once
// One hive file of the program's writable store: read when it changed on disk, written
// atomically under a lock so that running instances keep each other's values.

#include <sys/types.h>

#include <functional>
#include <string>

#include "platform/base/status.h"
#include "platform/registry/hive.h"
#include "platform/registry/hive_reader.h"

namespace qv::registry {

/// A Wine-format hive file at a host path, with "<path>.lock" as its lock file.
class StoreFile {
 public:
  /// relativeTo names the hive's root in the file header ("\\Machine").
  StoreFile(std::string path, std::string relativeTo);
  StoreFile(const StoreFile&) = delete;
  StoreFile& operator=(const StoreFile&) = delete;

  /// The hive as the file holds it now, re-read when another writer changed it. A missing
  /// file is an empty hive; an unreadable one keeps the last content read. The reference
  /// stays valid until the next call on this object.
  const Hive& Current();
  /// Applies change to the content on disk and writes it back before returning: under the
  /// lock, re-read, change, write "<path>.tmp-<pid>", fsync, rename. A file that is not a
  /// hive at all is moved aside to "<path>.corrupt" first. A host failure or Busy, the
  /// file then unchanged.
  Status Update(const std::function<void(Hive*)>& change);
  /// Lines skipped on the last read ("file:line: ...").
  const std::vector<Status>& problems() const { return m_problems; }
  /// The last failure to read the file (ok when the last read succeeded).
  const Status& readStatus() const { return m_readStatus; }
  /// Runs just before the rename of a write; tests use it to stop a process there.
  void SetBeforeRenameHook(std::function<void()> hook) { m_beforeRename = std::move(hook); }
  /// The file's host path.
  const std::string& path() const { return m_path; }

 private:
  struct Stamp {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    int64_t mtimeNs = 0;
    int64_t ctimeNs = 0;
    bool operator==(const Stamp&) const = default;
  };
  Stamp StatFile() const;
  Status Reload(bool force);

  std::string m_path;
  std::string m_relativeTo;
  Hive m_hive;
  std::string m_bytes;
  Stamp m_stamp;
  bool m_loaded = false;
  std::vector<Status> m_problems;
  Status m_readStatus;
  std::function<void()> m_beforeRename;
};

}  // namespace qv::registry
