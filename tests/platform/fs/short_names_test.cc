#include "platform/fs/short_names.h"

#include <gtest/gtest.h>

namespace qv::fs {
namespace {

TEST(ShortNamesTest, ValidShortNamesAreRecognised) {
  struct Case {
    const char* name;
    bool valid;
  } cases[] = {
      {"SETUP.MSI", true},   {"setup.msp", true},        {"README", true},
      {"A", true},           {"12345678.123", true},     {"123456789", false},
      {"setup.msix", false}, {"my app.msi", false},      {"a.b.c", false},
      {"a+b.txt", false},    {"a[1].txt", false},        {".profile", false},
      {"name.", false},      {"caf\xC3\xA9.txt", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidShortName(c.name), c.valid) << c.name;
}

TEST(ShortNamesTest, CandidatesFollowTheWindowsPattern) {
  struct Case {
    const char* longName;
    int n;
    const char* expected;
  } cases[] = {
      {"setup.msix", 1, "SETUP~1.MSI"},
      {"Program Files", 1, "PROGRA~1"},
      {"Program Files", 2, "PROGRA~2"},
      {"Program Files", 10, "PROGR~10"},
      {"Program Files", 100, "PROG~100"},
      {"my.long.name.html", 3, "MYLONG~3.HTM"},
      {"a+b,c;d=e[f]g.txt", 1, "A_B_C_~1.TXT"},
      {"a b.config", 1, "AB~1.CON"},
      {".profile", 1, "PROFIL~1"},
      {"caf\xC3\xA9 au lait.txt", 1, "CAF_AU~1.TXT"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortNameCandidate(c.longName, c.n), c.expected) << c.longName << " " << c.n;
  }
}

TEST(ShortNamesTest, CollidingNamesGetTheSmallestFreeNumberInSortedOrder) {
  std::vector<std::string> names = {"PROGRA~1",      "Program Data",
                                    "Program Files", "Program Files (x86)",
                                    "setup.msi",     "setup.msix"};
  std::vector<std::string> expected = {"PROGRA~1", "PROGRA~2",  "PROGRA~3",
                                       "PROGRA~4", "setup.msi", "SETUP~1.MSI"};
  EXPECT_EQ(AssignShortNames(names), expected);
}

TEST(ShortNamesTest, TenthCollisionUsesFiveCharactersAndTwoDigits) {
  std::vector<std::string> names;
  for (int i = 0; i < 11; ++i) names.push_back("Long File Name " + std::to_string(i) + ".txt");
  std::vector<std::string> shortNames = AssignShortNames(names);
  EXPECT_EQ(shortNames[0], "LONGFI~1.TXT");
  EXPECT_EQ(shortNames[8], "LONGFI~9.TXT");
  EXPECT_EQ(shortNames[9], "LONGF~10.TXT");
  EXPECT_EQ(shortNames[10], "LONGF~11.TXT");
}

}  // namespace
}  // namespace qv::fs
