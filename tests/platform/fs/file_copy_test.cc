#include "platform/fs/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/locking_child.h"
#include "support/temp_dir.h"

namespace qv::fs {
namespace {

TEST(FileCopyTest, CopiesAPackageInUseKeepingItsTimeAndPermissionsAndRefusesAnExistingTarget) {
  test::TempDir dir;
  const std::string from = dir.Write("setup.msi", "package bytes");
  ASSERT_EQ(chmod(from.c_str(), 0444), 0);
  const timespec times[2] = {{1600000000, 0}, {1600000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, from.c_str(), times, 0), 0);
  test::LockingChild child(from, F_WRLCK);
  ASSERT_TRUE(child.locked());
  const std::string to = dir.Sub("setup.CopyOf.Msi");
  ASSERT_TRUE(CopyHostFile(from, to, true).ok());
  EXPECT_EQ(test::ReadFile(to), "package bytes");
  struct stat st {};
  ASSERT_EQ(stat(to.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  EXPECT_EQ(st.st_mtim.tv_sec, 1600000000);
  // An existing target is refused when asked, else replaced.
  const std::string old = dir.Write("b.msi", "old");
  EXPECT_EQ(CopyHostFile(from, old, true).ToString(), "IO error: " + old + ": File exists");
  EXPECT_EQ(test::ReadFile(old), "old");
  EXPECT_TRUE(CopyHostFile(from, old, false).ok());
  EXPECT_EQ(test::ReadFile(old), "package bytes");
  EXPECT_EQ(CopyHostFile(dir.Sub("none.msi"), to, false).code(), Status::Code::kNotFound);
}

}  // namespace
}  // namespace qv::fs
