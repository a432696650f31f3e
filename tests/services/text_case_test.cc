#include "services/text_case.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(TextCaseTest, ComparesFindsAndReplacesWithoutCase) {
  EXPECT_TRUE(SameText("C:\\Program Files\\App", "c:\\PROGRAM FILES\\app"));
  EXPECT_FALSE(SameText("C:\\App", "C:\\App\\"));
  EXPECT_EQ(FindNoCase("a;TargetDir;b", ";targetdir;"), 1u);
  EXPECT_EQ(FindNoCase("abcABC", "abc", 1), 3u);
  EXPECT_EQ(FindNoCase("abc", "x", 9), std::string::npos);
  EXPECT_TRUE(StartsWithNoCase("WINDOWSFOLDER;X", "WindowsFolder"));
  EXPECT_FALSE(StartsWithNoCase("Win", "Windows"));
  EXPECT_TRUE(EndsWithNoCase("setup.MSP", ".Msp"));
  EXPECT_EQ(ReplaceNoCase("Z:\\Pkgs\\sub\\ and z:\\PKGS\\x", "z:\\pkgs\\", "C:\\"),
            "C:\\sub\\ and C:\\x");
  EXPECT_EQ(ReplaceNoCase("abc", "", "x"), "abc");
}

}  // namespace
}  // namespace qv
