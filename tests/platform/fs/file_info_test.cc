#include "platform/fs/file_info.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include <gtest/gtest.h>

#include <tuple>

#include "support/temp_dir.h"

namespace qv::fs {
namespace {

TEST(FileInfoTest, ReadOnlyIsTheOwnersWritePermissionAndTimesAreLocal) {
  test::TempDir dir;
  std::string path = dir.Write("setup.msi", "12345");
  EXPECT_EQ(GetFileAttributesOf(path), kAttributeArchive);
  ASSERT_TRUE(SetReadOnly(path, true).ok());
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & S_IWUSR, 0u);
  EXPECT_EQ(GetFileAttributesOf(path), kAttributeArchive | kAttributeReadOnly);
  ASSERT_TRUE(SetReadOnly(path, false).ok());
  EXPECT_EQ(GetFileAttributesOf(path), kAttributeArchive);
  EXPECT_EQ(SetReadOnly(dir.Sub("none"), true).code(), Status::Code::kNotFound);
  dir.Write("sub/.config", "");
  EXPECT_EQ(GetFileAttributesOf(dir.Sub("sub")), kAttributeDirectory);
  EXPECT_EQ(GetFileAttributesOf(dir.Sub("sub/.config")), kAttributeArchive | kAttributeHidden);
  EXPECT_EQ(GetFileAttributesOf(dir.Sub("none")), kInvalidFileAttributes);
  // Times are on the local clock.
  struct tm local = {};
  ASSERT_NE(strptime("2023-07-14 09:05:07", "%Y-%m-%d %H:%M:%S", &local), nullptr);
  local.tm_isdst = -1;
  const timespec times[2] = {{mktime(&local), 0}, {mktime(&local), 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  FileInfo info;
  ASSERT_TRUE(GetFileInfo(path, &info).ok());
  EXPECT_EQ(info.size, 5u);
  const LocalTime& m = info.modified;
  EXPECT_EQ(std::tuple(m.year, m.month, m.day, m.hour, m.minute, m.second),
            std::tuple(2023, 7, 14, 9, 5, 7));
}

}  // namespace
}  // namespace qv::fs
