#pragma once
// Another process holding a lock on a file, as an application that has a package open does.

#include <sys/types.h>

#include <string>

namespace qv::test {

/// A child process that holds an fcntl lock (F_WRLCK or F_RDLCK) on a host file until this
/// object is destroyed.
class LockingChild {
 public:
  LockingChild(const std::string& hostPath, short lockType);
  ~LockingChild();
  LockingChild(const LockingChild&) = delete;
  LockingChild& operator=(const LockingChild&) = delete;
  /// True when the child got its lock.
  bool locked() const { return m_locked; }

 private:
  pid_t m_pid = -1;
  int m_release = -1;
  bool m_locked = false;
};

}  // namespace qv::test
