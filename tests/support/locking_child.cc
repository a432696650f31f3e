#include "support/locking_child.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::test {

LockingChild::LockingChild(const std::string& hostPath, short lockType) {
  int ready[2];
  int release[2];
  if (pipe(ready) != 0) return;
  if (pipe(release) != 0) {
    close(ready[0]);
    close(ready[1]);
    return;
  }
  m_pid = fork();
  if (m_pid == 0) {
    close(ready[0]);
    close(release[1]);
    const int fd = open(hostPath.c_str(), lockType == F_WRLCK ? O_RDWR : O_RDONLY);
    struct flock lock = {};
    lock.l_type = lockType;
    lock.l_whence = SEEK_SET;
    const char ok = (fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0) ? '1' : '0';
    if (write(ready[1], &ok, 1) != 1) _exit(1);
    char any;
    // Holds the lock until the parent closes its end of the pipe.
    if (read(release[0], &any, 1) < 0) _exit(1);
    _exit(0);
  }
  close(ready[1]);
  close(release[0]);
  m_release = release[1];
  char ok = '0';
  m_locked = m_pid > 0 && read(ready[0], &ok, 1) == 1 && ok == '1';
  close(ready[0]);
}

LockingChild::~LockingChild() {
  if (m_release >= 0) close(m_release);
  if (m_pid <= 0) return;
  int status = 0;
  waitpid(m_pid, &status, 0);
}

}  // namespace qv::test
