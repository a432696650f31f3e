#include "platform/fs/file_lock.h"

#include <fcntl.h>
#include <unistd.h>

namespace qv::fs {

bool IsFileInUse(const std::string& hostPath) {
  int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // Asking for a read lock conflicts only with write locks, which is what "in use" means.
  struct flock query = {};
  query.l_type = F_RDLCK;
  query.l_whence = SEEK_SET;
  query.l_start = 0;
  query.l_len = 0;
  bool inUse = fcntl(fd, F_GETLK, &query) == 0 && query.l_type == F_WRLCK;
  close(fd);
  return inUse;
}

}  // namespace qv::fs
