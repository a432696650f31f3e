#include "platform/host/host_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace qv::host {
namespace {

int FlagsOf(OpenMode mode) {
  // O_NONBLOCK keeps an open of a FIFO from waiting for its other end; on regular files it
  // changes nothing.
  const int always = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  switch (mode) {
    case OpenMode::kRead:
      return always | O_RDONLY;
    case OpenMode::kWriteNew:
      return always | O_WRONLY | O_CREAT | O_EXCL;
    case OpenMode::kWrite:
      return always | O_WRONLY | O_CREAT | O_TRUNC;
    case OpenMode::kAppend:
      return always | O_WRONLY | O_CREAT | O_APPEND;
    case OpenMode::kLock:
      return always | O_RDWR | O_CREAT;
    case OpenMode::kFolder:
      return always | O_RDONLY | O_DIRECTORY;
  }
  return always | O_RDONLY;
}

Status NotRegular(const std::string& path) {
  return Status::InvalidArgument(path + ": not a regular file");
}

}  // namespace

Status HostError(const std::string& path, int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
      return Status::NotFound(path + ": no such file");
    case EACCES:
    case EPERM:
      return Status::PermissionDenied(path + ": permission denied");
    case EISDIR:
    case ENXIO:  // a FIFO without a reader, a device without its hardware
      return NotRegular(path);
    default:
      return Status::IOError(path + ": " + std::strerror(err));
  }
}

std::string SizeText(uint64_t bytes) {
  for (const auto& [shift, unit] : {std::pair{30, " GiB"}, {20, " MiB"}, {10, " KiB"}}) {
    const uint64_t whole = uint64_t{1} << shift;
    if (bytes >= whole && bytes % whole == 0) return std::to_string(bytes >> shift) + unit;
  }
  return std::to_string(bytes) + " bytes";
}

HostFile::~HostFile() {
  if (m_fd >= 0) ::close(m_fd);
}

HostFile::HostFile(HostFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_path(std::move(other.m_path)) {}

HostFile& HostFile::operator=(HostFile&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = std::exchange(other.m_fd, -1);
    m_path = std::move(other.m_path);
  }
  return *this;
}

Status HostFile::Open(const std::string& path, OpenMode mode, HostFile* file, mode_t permissions) {
  *file = HostFile();
  file->m_path = path;
  struct stat st {};
  // An existing file is checked before it is opened: opening a device can already do something.
  if (mode == OpenMode::kRead) {
    if (::stat(path.c_str(), &st) != 0) return HostError(path, errno);
    if (!S_ISREG(st.st_mode)) return NotRegular(path);
  }
  int fd = -1;
  do {
    fd = ::open(path.c_str(), FlagsOf(mode), permissions);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return HostError(path, errno);
  file->m_fd = fd;
  // What was opened is what counts: the path may have changed since it was looked at.
  Status s;
  if (::fstat(fd, &st) != 0) {
    s = HostError(path, errno);
  } else if (mode == OpenMode::kFolder ? !S_ISDIR(st.st_mode) : !S_ISREG(st.st_mode)) {
    s = mode == OpenMode::kFolder ? Status::InvalidArgument(path + ": not a folder")
                                  : NotRegular(path);
  }
  if (!s.ok()) *file = HostFile();
  return s;
}

Status HostFile::Stat(struct stat* st) const {
  if (::fstat(m_fd, st) != 0) return HostError(m_path, errno);
  return Status::Ok();
}

bool HostFile::InUseByAnotherProcess() const {
  // Asking for a read lock conflicts only with write locks, which is what "in use" means.
  struct flock query {};
  query.l_type = F_RDLCK;
  query.l_whence = SEEK_SET;
  return ::fcntl(m_fd, F_GETLK, &query) == 0 && query.l_type == F_WRLCK;
}

Status HostFile::ReadToEnd(uint64_t maxBytes, std::string* bytes, bool headOnly) {
  const size_t start = bytes->size();
  struct stat st {};
  if (::fstat(m_fd, &st) == 0 && st.st_size > 0) {
    bytes->reserve(start + static_cast<size_t>(std::min<uint64_t>(st.st_size, maxBytes)));
  }
  char buffer[65536];
  for (;;) {
    const uint64_t room = maxBytes - (bytes->size() - start);
    // Asking for one byte more than there is room for tells a file at the limit from a larger one.
    const uint64_t ask = headOnly || room == UINT64_MAX ? room : room + 1;
    if (ask == 0) return Status::Ok();
    size_t got = 0;
    if (Status s = Read(buffer, std::min<uint64_t>(sizeof buffer, ask), &got); !s.ok()) return s;
    if (got == 0) return Status::Ok();
    if (got > room) {
      bytes->resize(start);
      return Status::Corruption(m_path + ": larger than " + SizeText(maxBytes));
    }
    bytes->append(buffer, got);
  }
}

Status HostFile::Read(char* buffer, size_t size, size_t* got) {
  *got = 0;
  for (;;) {
    const ssize_t n = ::read(m_fd, buffer, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return HostError(m_path, errno);
    *got = static_cast<size_t>(n);
    return Status::Ok();
  }
}

Status HostFile::WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return HostError(m_path, errno);
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return Status::Ok();
}

Status HostFile::Sync() {
  if (::fsync(m_fd) != 0) return HostError(m_path, errno);
  return Status::Ok();
}

Status HostFile::TryLockExclusive() {
  for (;;) {
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) return Status::Ok();
    if (errno == EWOULDBLOCK) return Status::Busy(m_path + ": in use by another process");
    if (errno != EINTR) return HostError(m_path, errno);
  }
}

Status HostFile::Close() {
  const int fd = std::exchange(m_fd, -1);
  if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) return HostError(m_path, errno);
  return Status::Ok();
}

}  // namespace qv::host
