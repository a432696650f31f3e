#include "platform/fs/dir_search.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/temp_dir.h"

namespace qv::fs {
namespace {

TEST(DirSearchTest, MatchesLikeWindowsLongOrShortNamesInSortedOrder) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"*.Msi", "setup.msix", false},   {"*.*", "README", true},
      {"se?up.msi", "SETUP.msi", true}, {"se?up.msi", "seup.msi", false},
      {"?.txt", "\xC3\xA9.txt", true},  {"*a*b*c", "xxaxxbxxc", true},
      {"setup.*", "setup", true},       {"", "", true},
  };
  for (const auto& [mask, name, matches] : cases) {
    EXPECT_EQ(WildcardMatch(mask, name), matches) << mask << " " << name;
  }
  // Files are found by long or short name, in sorted order.
  test::TempDir dir;
  for (const char* name : {"SETUP.MSI", "setup.msix", "setup.msp", "Another.msi", "notes.txt"}) {
    dir.Write(std::string("drive_c/pkgs/") + name, "x");
  }
  Machine machine;
  machine.drives['C'] = dir.Sub("drive_c");
  using Names = std::vector<std::string>;
  const std::pair<std::string, Names> searches[] = {
      {"C:\\pkgs\\*.Msi", {"Another.msi", "SETUP.MSI", "setup.msix"}},
      {dir.Sub("drive_c/pkgs/*.txt"), {"notes.txt"}},
      {"C:\\pkgs\\SETUP~1.MSI", {"setup.msix"}},  // a plain name finds that entry
      {"C:\\pkgs\\none.msi", {}},
  };
  for (const auto& [pattern, expected] : searches) {
    std::vector<FolderEntry> found;
    Status status = FindFiles(machine, pattern, &found);
    EXPECT_TRUE(status.ok()) << status.ToString();
    Names names;
    for (const FolderEntry& e : found) names.push_back(e.name);
    EXPECT_EQ(names, expected) << pattern;
  }
  std::vector<FolderEntry> found;
  EXPECT_EQ(FindFiles(machine, "C:\\nowhere\\*.msi", &found).code(), Status::Code::kNotFound);
}

}  // namespace
}  // namespace qv::fs
