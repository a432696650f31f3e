#pragma once
// The one way the platform opens host files: an owning descriptor whose failures name the path
// and what is wrong with it, so that every caller words the same case the same way:
//   NotFound          "<path>: no such file"
//   InvalidArgument   "<path>: not a regular file"   (a folder, FIFO, device or socket)
//   PermissionDenied  "<path>: permission denied"
//   Busy              "<path>: in use by another process"
//   IOError           "<path>: <the system's own words>"

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/status.h"

namespace qv::host {

/// How HostFile::Open opens a path. Every mode but kFolder refuses anything but a regular
/// file, and no open waits for a writer or reader (a FIFO named as a package is refused, not
/// waited on).
enum class OpenMode {
  kRead,      ///< an existing file, read-only
  kWriteNew,  ///< a new file, write-only; one that exists already is an IOError
  kWrite,     ///< a file, write-only, created or emptied
  kAppend,    ///< a file, write-only, created when missing, every write at its end
  kLock,      ///< a lock file: read-write, created when missing, never emptied
  kFolder,    ///< an existing folder, read-only, to sync it after a rename
};

/// An open host file. Owns its descriptor: closing happens on every way out, or through
/// Close() where a failure to close must be seen (data not written).
class HostFile {
 public:
  HostFile() = default;
  ~HostFile();
  HostFile(HostFile&& other) noexcept;
  HostFile& operator=(HostFile&& other) noexcept;
  HostFile(const HostFile&) = delete;
  HostFile& operator=(const HostFile&) = delete;

  /// Opens path in the given mode into *file (closing what *file held); a file it creates gets
  /// permissions (before the umask).
  static Status Open(const std::string& path, OpenMode mode, HostFile* file,
                     mode_t permissions = 0600);

  /// True while a descriptor is held.
  bool IsOpen() const { return m_fd >= 0; }
  /// The descriptor, for calls this class does not wrap; -1 when closed.
  int fd() const { return m_fd; }
  /// The path the file was opened by, as messages name it.
  const std::string& path() const { return m_path; }

  /// The file's size, times and permissions.
  Status Stat(struct stat* st) const;
  /// True when another process holds a write lock (fcntl, classic or open-file-description)
  /// on any part of the file: what "held open by another application" means on the host.
  /// Locks of this process do not count.
  bool InUseByAnotherProcess() const;
  /// Appends the bytes from the current position to the end to *bytes, reading at most
  /// maxBytes. Past that: Corruption "<path>: larger than <maxBytes>" with *bytes as it was,
  /// or with headOnly the first maxBytes and Ok.
  Status ReadToEnd(uint64_t maxBytes, std::string* bytes, bool headOnly = false);
  /// Reads up to size bytes into buffer; *got is 0 at the end of the file.
  Status Read(char* buffer, size_t size, size_t* got);
  /// Writes every byte, retrying short writes.
  Status WriteAll(std::string_view bytes);
  /// Makes what was written reach the disk (fsync).
  Status Sync();
  /// Takes the exclusive flock of the file without waiting: Busy when another open file
  /// holds it. The lock goes with the descriptor.
  Status TryLockExclusive();
  /// Closes now; IOError when the system reports that written data was lost.
  Status Close();

 private:
  int m_fd = -1;
  std::string m_path;
};

/// The status of a failed system call on path (err is its errno), worded as above.
Status HostError(const std::string& path, int err);

/// A byte count as messages write it: "1 GiB", "64 MiB", "512 bytes".
std::string SizeText(uint64_t bytes);

}  // namespace qv::host
