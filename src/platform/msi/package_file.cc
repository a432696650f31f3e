#include "platform/msi/package_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/fs/path_map.h"

namespace qv::msi {
namespace {

// Closes a descriptor on every path out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

Status ReadPackageFile(const std::string& hostPath, std::string* bytes) {
  bytes->clear();
  FileDescriptor fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    const int err = errno;
    if (err == ENOENT || err == ENOTDIR) return Status::NotFound(hostPath + ": no such file");
    return Status::IOError(hostPath + ": " + std::strerror(err));
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Status::IOError(hostPath + ": " + std::strerror(errno));
  if (!S_ISREG(st.st_mode)) return Status::IOError(hostPath + ": not a regular file");
  // A write lock held by another process means another application has the package open.
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  if (::fcntl(fd.get(), F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK) {
    return Status::Busy(hostPath + ": in use by another process");
  }
  bytes->resize(static_cast<size_t>(st.st_size));
  size_t done = 0;
  while (done < bytes->size()) {
    const ssize_t n = ::read(fd.get(), bytes->data() + done, bytes->size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Status::IOError(hostPath + ": " + std::strerror(errno));
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  bytes->resize(done);
  return Status::Ok();
}

Status PackageHostPath(const std::string& path, std::string* hostPath) {
  if (!path.empty() && path[0] == '/') {
    *hostPath = path;
    return Status::Ok();
  }
  return fs::HostPathOf(path, hostPath);
}

}  // namespace qv::msi
