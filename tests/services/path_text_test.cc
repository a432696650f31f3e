#include "services/path_text.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/machine.h"
#include "services/file_functions.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

class PathTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.Write("drive_c/Windows/win.ini", "x");
    auto machine = std::make_shared<Machine>();
    machine->drives['C'] = m_dir.Sub("drive_c");
    SetCurrentMachine(machine);
  }
  void TearDown() override { SetCurrentMachine(nullptr); }
  bool IsFolder(const std::string& relative) {
    struct stat st;
    return stat(m_dir.Sub(relative).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  test::TempDir m_dir;
};

TEST(TrimNulTest, CutsAtTheFirstNul) {
  EXPECT_EQ(TrimNul(std::string(1000, '\0')), "");
  EXPECT_EQ(TrimNul("no nul"), "no nul");
  EXPECT_EQ(TrimNul(std::string("C:\\x\0\0junk", 10)), "C:\\x");
  EXPECT_EQ(TrimNul(""), "");
}

TEST(NameOfTest, TakesTheTextAfterTheLastBackslash) {
  struct Case {
    const char* path;
    const char* name;
  } cases[] = {
      {"C:\\pkgs\\setup.msi", "setup.msi"},
      {"C:\\pkgs\\", ""},
      {"setup.msi", "setup.msi"},
      {"/home/ann/setup.msi", "setup.msi"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameOf(c.path), c.name) << c.path;
}

TEST_F(PathTextTest, FolderOfKeepsExistingFoldersAndCutsOthers) {
  struct Case {
    std::string path;
    std::string folder;
  } cases[] = {
      {"C:\\Windows", "C:\\Windows"},
      {"C:\\Windows\\", "C:\\Windows\\"},
      {"C:\\Windows\\win.ini", "C:\\Windows"},
      {"\"C:\\Program Files\\app.exe\"", "C:\\Program Files"},
      {"setup.msi", ""},
      {m_dir.Sub("drive_c/Windows/win.ini"), m_dir.Sub("drive_c/Windows")},
  };
  for (const Case& c : cases) EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
}

TEST_F(PathTextTest, MakeFolderPathCreatesEveryMissingLevel) {
  EXPECT_TRUE(MakeFolderPath("C:\\one\\two\\three"));
  EXPECT_TRUE(IsFolder("drive_c/one"));
  EXPECT_TRUE(IsFolder("drive_c/one/two"));
  EXPECT_TRUE(IsFolder("drive_c/one/two/three"));
  EXPECT_TRUE(MakeFolderPath("C:\\one\\two\\three"));   // already there
  EXPECT_TRUE(MakeFolderPath("c:\\ONE\\Two\\four\\"));  // existing levels in another case
  EXPECT_TRUE(IsFolder("drive_c/one/two/four"));
}

TEST_F(PathTextTest, MakeFolderPathNeverCreatesADriveRoot) {
  auto machine = std::make_shared<Machine>(CurrentMachine());
  machine->drives['E'] = m_dir.Sub("drive_e");  // a drive whose root is missing
  SetCurrentMachine(machine);
  EXPECT_FALSE(MakeFolderPath("E:\\one\\two"));
  EXPECT_FALSE(IsFolder("drive_e"));
  EXPECT_FALSE(MakeFolderPath("D:\\x"));                      // no such drive
  EXPECT_FALSE(MakeFolderPath("C:\\Windows\\win.ini\\sub"));  // a file is in the way
  EXPECT_TRUE(MakeFolderPath("C:\\"));
}

TEST_F(PathTextTest, DeleteIfExistsRemovesReadOnlyFiles) {
  std::string host = m_dir.Write("drive_c/Temp/old.log", "x");
  ASSERT_EQ(chmod(host.c_str(), 0444), 0);
  EXPECT_TRUE(DeleteIfExists("C:\\Temp\\old.log"));
  EXPECT_EQ(ExistFile("C:\\Temp\\old.log"), 1);
  EXPECT_TRUE(DeleteIfExists("C:\\Temp\\never.log"));
}

}  // namespace
}  // namespace qv
