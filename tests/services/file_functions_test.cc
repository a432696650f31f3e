#include "services/file_functions.h"

#include <sys/stat.h>
#include <time.h>

#include <gtest/gtest.h>

#include "services/drive_c_fixture.h"
#include "services/text_files.h"

namespace qv {
namespace {

using FileFunctionsTest = test::DriveCTest;

TEST_F(FileFunctionsTest, ExistFileAndExistDirTellFilesFromFolders) {
  const struct {
    std::string path;
    int32_t file, dir;
  } cases[] = {{"C:\\Program Files\\setup.msi", 0, 1},
               {"C:\\Program Files", 1, 0},
               {"C:\\Program Files\\none.msi", 1, 1},
               {"", 1, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(ExistFile(c.path), c.file) << c.path;
    EXPECT_EQ(ExistDir(c.path), c.dir) << c.path;
  }
}

TEST_F(FileFunctionsTest, IsUnicodeFileSeesUtf16LeWithOrWithoutMark) {
  const struct {
    const char* name;
    std::string bytes;
    int32_t expected;
  } cases[] = {{"mark.log", "\xFF\xFE" + Utf8ToUtf16Le("x"), 1},
               {"bare.log", Utf8ToUtf16Le("=== Verbose logging started ===\r\n"), 2},
               {"edge.log", Utf8ToUtf16Le("abcd\xC4\x80"), 2},  // a quarter of NUL low bytes
               {"utf8.log", "Caf\xC3\xA9\r\n", 0},
               {"binary.msi", std::string("\xD0\xCF\x11\xE0\0\0\0\0\0\0\0\0", 12), 0},
               {"empty.log", "", 0}};
  for (const auto& c : cases) {
    m_dir.Write(std::string("drive_c/") + c.name, c.bytes);
    EXPECT_EQ(IsUnicodeFile(std::string("C:\\") + c.name), c.expected) << c.name;
  }
  EXPECT_EQ(IsUnicodeFile("C:\\missing.log"), 0);
}

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
