#include "platform/fs/dir_search.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace qv::fs {
namespace {

TEST(WildcardMatchTest, MatchesLikeWindows) {
  struct Case {
    const char* mask;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.Msi", "SETUP.MSI", true},
      {"*.Msi", "setup.msix", false},
      {"*.msi", "a.msi.bak", false},
      {"*.*", "README", true},
      {"*", ".hidden", true},
      {"se?up.msi", "SETUP.msi", true},
      {"se?up.msi", "seup.msi", false},
      {"?.txt", "\xC3\xA9.txt", true},
      {"*a*b*c", "xxaxxbxxc", true},
      {"*a*b*c", "xxaxxcxxb", false},
      {"setup.*", "setup", true},
      {"setup.*", "setup.exe", true},
      {"log???.txt", "log001.txt", true},
      {"", "", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WildcardMatch(c.mask, c.name), c.matches) << c.mask << " " << c.name;
  }
}

class FindFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"SETUP.MSI", "setup.msix", "setup.msp", "Another.msi", "notes.txt"}) {
      m_dir.Write(std::string("drive_c/pkgs/") + name, "x");
    }
    m_machine.drives['C'] = m_dir.Sub("drive_c");
  }
  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<FolderEntry> found;
    Status status = FindFiles(m_machine, pattern, &found);
    EXPECT_TRUE(status.ok()) << status.ToString();
    std::vector<std::string> names;
    for (const FolderEntry& e : found) names.push_back(e.name);
    return names;
  }
  test::TempDir m_dir;
  Machine m_machine;
};

TEST_F(FindFilesTest, MatchesLongOrShortNameInSortedOrder) {
  EXPECT_EQ(Names("C:\\pkgs\\*.Msi"),
            (std::vector<std::string>{"Another.msi", "SETUP.MSI", "setup.msix"}));
  EXPECT_EQ(Names("C:\\PKGS\\setup.*"),
            (std::vector<std::string>{"SETUP.MSI", "setup.msix", "setup.msp"}));
  EXPECT_EQ(Names(m_dir.Sub("drive_c/pkgs/*.txt")), (std::vector<std::string>{"notes.txt"}));
}

TEST_F(FindFilesTest, PlainNameFindsThatEntry) {
  EXPECT_EQ(Names("C:\\pkgs\\SETUP~1.MSI"), (std::vector<std::string>{"setup.msix"}));
  EXPECT_EQ(Names("C:\\pkgs\\another.MSI"), (std::vector<std::string>{"Another.msi"}));
  EXPECT_EQ(Names("C:\\pkgs\\none.msi"), (std::vector<std::string>{}));
}

TEST_F(FindFilesTest, MissingFolderIsNotFound) {
  std::vector<FolderEntry> found;
  EXPECT_EQ(FindFiles(m_machine, "C:\\nowhere\\*.msi", &found).code(), Status::Code::kNotFound);
}

}  // namespace
}  // namespace qv::fs
