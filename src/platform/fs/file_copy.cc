#include "platform/fs/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace qv::fs {
namespace {

// Closes a descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return m_fd; }
  /// Closes now; false when closing reported an error (data not written).
  bool Close() {
    int fd = m_fd;
    m_fd = -1;
    return close(fd) == 0;
  }

 private:
  int m_fd;
};

Status Error(const std::string& path) {
  return Status::IOError(path + ": " + std::strerror(errno));
}

}  // namespace

Status CopyHostFile(const std::string& from, const std::string& to, bool failIfExists) {
  Descriptor source(open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (source.get() < 0) {
    return errno == ENOENT ? Status::NotFound(from + ": no such file") : Error(from);
  }
  struct stat st;
  if (fstat(source.get(), &st) != 0) return Error(from);
  if (!S_ISREG(st.st_mode)) return Status::InvalidArgument(from + ": not a file");
  int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0);
  Descriptor target(open(to.c_str(), flags, 0600));
  if (target.get() < 0) return Error(to);
  std::vector<char> chunk(1 << 16);
  for (;;) {
    ssize_t got = read(source.get(), chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Error(from);
    if (got == 0) break;
    for (ssize_t done = 0; done < got;) {
      ssize_t put = write(target.get(), chunk.data() + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return Error(to);
      done += put;
    }
  }
  const timespec times[2] = {st.st_atim, st.st_mtim};
  if (futimens(target.get(), times) != 0 || fchmod(target.get(), st.st_mode & 07777) != 0) {
    return Error(to);
  }
  if (!target.Close()) return Error(to);
  return Status::Ok();
}

}  // namespace qv::fs
