#include "services/file_functions.h"

#include <sys/stat.h>
#include <time.h>

#include <gtest/gtest.h>

#include "services/drive_c_fixture.h"

namespace qv {
namespace {

using FileFunctionsTest = test::DriveCTest;

TEST_F(FileFunctionsTest, DeleteFileCRemovesReadOnlyFilesButNoFolders) {
  ASSERT_EQ(chmod(m_dir.Write("drive_c/old.log", "x").c_str(), 0444), 0);
  EXPECT_EQ(DeleteFileC("C:\\old.log", "0"), 1);
  EXPECT_EQ(ExistFile("C:\\old.log"), 1);
  EXPECT_EQ(DeleteFileC("C:\\Program Files", "0"), 0);
  EXPECT_EQ(ExistDir("C:\\Program Files"), 0);
}

TEST_F(FileFunctionsTest, FileRecordHoldsLocalTimeAndSize) {
  struct tm local = {.tm_sec = 58, .tm_min = 59, .tm_hour = 23, .tm_mday = 31, .tm_year = 124};
  local.tm_isdst = -1;
  const timespec times[2] = {{mktime(&local), 0}, {mktime(&local), 0}};
  ASSERT_EQ(utimensat(0, m_dir.Sub("drive_c/Program Files/setup.msi").c_str(), times, 0), 0);
  std::string record;
  EXPECT_EQ(GetNFileDateTime(&record, "C:\\Program Files\\setup.msi", 1000), 21);
  EXPECT_EQ(record, "|t=20240131235958|s=5");
  EXPECT_EQ(GetNFileDateTime(&record, "C:\\Program Files\\setup.msi", 21), -21);
  EXPECT_EQ(record, "");
  EXPECT_EQ(GetNFileDateTime(&record, "C:\\none.msi", 1000), 0);
  EXPECT_EQ(record, "");
}

}  // namespace
}  // namespace qv
