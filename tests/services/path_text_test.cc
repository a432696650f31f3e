#include "services/path_text.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "services/drive_c_fixture.h"
#include "services/file_functions.h"

namespace qv {
namespace {

using PathTextTest = test::DriveCTest;

TEST_F(PathTextTest, FolderOfKeepsExistingFoldersAndCutsOthers) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Windows", "C:\\Windows"},
      {"C:\\Windows\\", "C:\\Windows\\"},
      {"C:\\Windows\\win.ini", "C:\\Windows"},
      {"\"C:\\Program Files\\app.exe\"", "C:\\Program Files"},
      {"setup.msi", ""},
      {m_dir.Sub("drive_c/Windows/win.ini"), m_dir.Sub("drive_c/Windows")}};
  for (const auto& [path, folder] : cases) EXPECT_EQ(FolderOf(path), folder) << path;
}

TEST_F(PathTextTest, MakeFolderPathCreatesEveryMissingLevelButNoDriveRoot) {
  EXPECT_TRUE(MakeFolderPath("C:\\one\\two\\three"));
  EXPECT_TRUE(std::filesystem::is_directory(m_dir.Sub("drive_c/one/two/three")));
  EXPECT_TRUE(MakeFolderPath("C:\\one\\two\\three"));   // already there
  EXPECT_TRUE(MakeFolderPath("c:\\ONE\\Two\\four\\"));  // existing levels in another case
  EXPECT_TRUE(std::filesystem::is_directory(m_dir.Sub("drive_c/one/two/four")));
  auto machine = std::make_shared<Machine>(CurrentMachine());
  machine->drives['E'] = m_dir.Sub("drive_e");  // a drive whose root is missing
  SetCurrentMachine(machine);
  EXPECT_FALSE(MakeFolderPath("E:\\one\\two"));
  EXPECT_FALSE(std::filesystem::is_directory(m_dir.Sub("drive_e")));
  EXPECT_FALSE(MakeFolderPath("D:\\x"));                      // no such drive
  EXPECT_FALSE(MakeFolderPath("C:\\Windows\\win.ini\\sub"));  // a file is in the way
  EXPECT_TRUE(MakeFolderPath("C:\\"));
}

TEST_F(PathTextTest, DeleteIfExistsRemovesReadOnlyFiles) {
  ASSERT_EQ(chmod(m_dir.Write("drive_c/Temp/old.log", "x").c_str(), 0444), 0);
  EXPECT_TRUE(DeleteIfExists("C:\\Temp\\old.log"));
  EXPECT_EQ(ExistFile("C:\\Temp\\old.log"), 1);
  EXPECT_TRUE(DeleteIfExists("C:\\Temp\\never.log"));
}

}  // namespace
}  // namespace qv
