#include "platform/fs/file_lock.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/fs/file_copy.h"
#include "support/temp_dir.h"

namespace qv::fs {
namespace {

// A child process that holds an fcntl lock of the given type on a file until destroyed.
class LockingChild {
 public:
  LockingChild(const std::string& path, short type) {
    int ready[2], release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      close(ready[0]);
      close(release[1]);
      int fd = open(path.c_str(), O_RDWR);
      struct flock lock = {};
      lock.l_type = type;
      lock.l_whence = SEEK_SET;
      char ok = (fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0) ? '1' : '0';
      if (write(ready[1], &ok, 1) != 1) _exit(1);
      char any;
      if (read(release[0], &any, 1) < 0) _exit(1);
      _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    m_release = release[1];
    char ok = '0';
    m_locked = read(ready[0], &ok, 1) == 1 && ok == '1';
    close(ready[0]);
  }
  ~LockingChild() {
    if (m_pid <= 0) return;
    close(m_release);
    int status;
    waitpid(m_pid, &status, 0);
  }
  bool locked() const { return m_locked; }

 private:
  pid_t m_pid = -1;
  int m_release = -1;
  bool m_locked = false;
};

TEST(FileLockTest, WriteLockOfAnotherProcessMeansInUse) {
  test::TempDir dir;
  std::string path = dir.Write("setup.msi", "package bytes");
  EXPECT_FALSE(IsFileInUse(path));
  {
    LockingChild child(path, F_WRLCK);
    ASSERT_TRUE(child.locked());
    EXPECT_TRUE(IsFileInUse(path));
    // Still readable and copyable while held.
    std::string copy = dir.Sub("CopyOf.Msi");
    ASSERT_TRUE(CopyHostFile(path, copy, true).ok());
    EXPECT_EQ(test::ReadFile(copy), "package bytes");
    EXPECT_FALSE(IsFileInUse(copy));
  }
  EXPECT_FALSE(IsFileInUse(path));
}

TEST(FileLockTest, ReadLockAndOwnLocksDoNotCount) {
  test::TempDir dir;
  std::string path = dir.Write("setup.msi", "x");
  {
    LockingChild child(path, F_RDLCK);
    ASSERT_TRUE(child.locked());
    EXPECT_FALSE(IsFileInUse(path));
  }
  int fd = open(path.c_str(), O_RDWR);
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  ASSERT_EQ(fcntl(fd, F_SETLK, &lock), 0);
  EXPECT_FALSE(IsFileInUse(path));
  close(fd);
  EXPECT_FALSE(IsFileInUse(dir.Sub("missing.msi")));
}

TEST(FileCopyTest, RefusesAnExistingTargetWhenAsked) {
  test::TempDir dir;
  std::string from = dir.Write("a.msi", "new");
  std::string to = dir.Write("b.msi", "old");
  EXPECT_EQ(CopyHostFile(from, to, true).code(), Status::Code::kIOError);
  EXPECT_EQ(test::ReadFile(to), "old");
  EXPECT_TRUE(CopyHostFile(from, to, false).ok());
  EXPECT_EQ(test::ReadFile(to), "new");
  EXPECT_EQ(CopyHostFile(dir.Sub("none.msi"), to, false).code(), Status::Code::kNotFound);
}

}  // namespace
}  // namespace qv::fs
