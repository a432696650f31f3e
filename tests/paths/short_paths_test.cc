#include "paths/short_paths.h"

#include <filesystem>
#include <fstream>

#include "paths/directory_list.h"
#include "paths/package_test_base.h"
#include "platform/fs/path_map.h"

namespace qv {
namespace {

class ShortPathsTest : public test::PackageTest {
 protected:
  void MakeFile(const std::string& relative) {
    const std::filesystem::path path = std::filesystem::path(machine.DriveC()) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "x";
  }
};

TEST_F(ShortPathsTest, ExistingPartsThroughTheFileSystemMissingOnesThroughTheTempFolder) {
  MakeFile("Program Files/Long Folder Name/present file.txt");
  const struct {
    std::string path;
    std::string expected;
  } cases[] = {
      {"", ""},
      {"C:\\Program Files\\Long Folder Name\\present file.txt",
       "C:\\PROGRA~1\\LONGFO~1\\PRESEN~1.TXT"},
      {"C:\\Program Files\\Long Folder Name\\", "C:\\PROGRA~1\\LONGFO~1\\"},
      // From the first missing part on, each part gets the name the temp folder would give.
      {"C:\\Program Files\\Missing Long Folder\\another long name.txt",
       "C:\\PROGRA~1\\MISSIN~1\\ANOTHE~1.TXT"},
      {"C:\\Program Files\\Missing Long Folder\\", "C:\\PROGRA~1\\MISSIN~1\\"},
      {"C:\\short\\a.txt", "C:\\short\\a.txt"},
      // Neither a drive nor a network path: the whole text is one missing part.
      {"relative long name.txt", "RELATI~1.TXT"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShortPathOf(c.path), c.expected) << c.path;
  // The temp folder keeps none of the files made for the names.
  std::string tempHost;
  ASSERT_TRUE(fs::HostPathOf(TempDir(), &tempHost).ok());
  for (const char* made : {"Missing Long Folder", "another long name.txt"}) {
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(tempHost) / made)) << made;
  }
}

TEST_F(ShortPathsTest, ANameThatCannotBeMadeSaysSo) {
  // A part naming a folder below a missing one cannot be created in the temp folder.
  const std::string part = "no such folder\\long file name.txt";
  EXPECT_EQ(ShortNameOfMissing(part), "Could not generate SFN from - " + part);
}

}  // namespace
}  // namespace qv
