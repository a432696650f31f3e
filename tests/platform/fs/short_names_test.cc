#include "platform/fs/short_names.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/fs/folder_listing.h"

namespace qv::fs {
namespace {

TEST(ShortNamesTest, ShortNamesAreGivenAsWindowsGivesThem) {
  const std::pair<const char*, bool> cases[] = {
      {"SETUP.MSI", true},        {"README", true},      {"12345678.123", true},
      {"123456789", false},       {"setup.msix", false}, {"my app.msi", false},
      {"a.b.c", false},           {".profile", false},   {"name.", false},
      {"caf\xC3\xA9.txt", false},
  };
  for (const auto& [name, valid] : cases) EXPECT_EQ(IsValidShortName(name), valid) << name;
  // Candidates follow the Windows pattern.
  const std::tuple<const char*, int, const char*> candidates[] = {
      {"setup.msix", 1, "SETUP~1.MSI"},
      {"Program Files", 1, "PROGRA~1"},
      {"Program Files", 10, "PROGR~10"},
      {"my.long.name.html", 3, "MYLONG~3.HTM"},
      {"a+b,c;d=e[f]g.txt", 1, "A_B_C_~1.TXT"},
      {"a b.config", 1, "AB~1.CON"},
      {".profile", 1, "PROFIL~1"},
      {"caf\xC3\xA9 au lait.txt", 1, "CAF_AU~1.TXT"},
  };
  for (const auto& [longName, n, expected] : candidates) {
    EXPECT_EQ(ShortNameCandidate(longName, n), expected) << longName << " " << n;
  }
  // The tenth collision takes five characters and two digits.
  std::vector<std::string> names;
  for (int i = 0; i < 11; ++i) names.push_back("Long File Name " + std::to_string(i) + ".txt");
  std::vector<std::string> got = AssignShortNames(names);
  EXPECT_EQ(std::tuple(got[0], got[8], got[9], got[10]),
            std::tuple("LONGFI~1.TXT", "LONGFI~9.TXT", "LONGF~10.TXT", "LONGF~11.TXT"));
  // On a Windows installation the file system keeps each file's short name, given when the file
  // was made; those are kept, and the other names avoid them.
  names = {"Program Files", "Program Files (x86)", "ProgramData", "README.TXT"};
  EXPECT_EQ(AssignShortNames(names, {"PROGRA~2", "", "PROGRA~1", ""}),
            (std::vector<std::string>{"PROGRA~2", "PROGRA~3", "PROGRA~1", "README.TXT"}));
  FolderListing listing({"ProgramData", "Program Files"}, {true, true}, {"PROGRA~1", "PROGRA~2"});
  ASSERT_NE(listing.Find("progra~2"), nullptr);
  EXPECT_EQ(listing.Find("progra~2")->name, "Program Files");
  // Names come in the order their files came into being: a later name never takes an earlier
  // one's number, whatever the name order, and a literal "~n" name keeps its own.
  names = {"Another Long File.txt", "ANOTHE~2.TXT", "Another Long Aardvark.txt",
           "another long zebra.TXT"};
  EXPECT_EQ(AssignShortNames(names), (std::vector<std::string>{"ANOTHE~1.TXT", "ANOTHE~2.TXT",
                                                               "ANOTHE~3.TXT", "ANOTHE~4.TXT"}));
}

}  // namespace
}  // namespace qv::fs
