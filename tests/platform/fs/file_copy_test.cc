#include "platform/fs/file_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/fs/file_copy.h"
#include "support/locking_child.h"
#include "support/temp_dir.h"

namespace qv::fs {
namespace {

using test::LockingChild;

TEST(FileLockTest, OnlyAWriteLockOfAnotherProcessMeansInUse) {
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
  EXPECT_FALSE(IsFileInUse(dir.Sub("missing.msi")));
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
