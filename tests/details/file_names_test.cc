#include "details/file_names.h"

#include <gtest/gtest.h>

#include "support/fresh_program_state.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

TEST(TitleCaseNameTest, StartsEachWordWithACapital) {
  test::FreshProgramState fresh;
  const std::pair<const char*, const char*> cases[] = {
      {"SETUP.MSI", "Setup.Msi"},
      {"my app (x86).msi", "My App (X86).Msi"},
      {"1abc.msi", "1abc.Msi"},  // a digit starts the word but stays a digit
      {"a#b\\c/d(e)f g", "A#B\\C/D(E)F G"},
      {"MIXED-case_NAME.Log", "Mixed-case_name.Log"},  // '-' and '_' join words
      {"caf\xC3\x89.msi", "Caf\xC3\x89.Msi"},          // letters beyond a-z keep their case
      {"", ""},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(TitleCaseName(name), expected) << name;
}

TEST(TitleCaseNameTest, TheFileKeyMarkerSeparatesWords) {
  test::FreshProgramState fresh;
  Program().FileKeyMarker = "@";
  EXPECT_EQ(TitleCaseName("a@b#c"), "A@B#c");
}

// The date itself is written by the services in the user's format.
TEST(FormatFileDateTimeTest, TimeComesBeforeTheUsersDate) {
  test::ScopedEnv env;
  env.Set("LC_ALL", "C");
  const std::pair<const char*, const char*> cases[] = {
      {"20240131130509", "13:05:09 1/31/2024"},
      {"", ""},
      {"00000000123456", ""},  // a stamp without a date
  };
  for (const auto& [stamp, expected] : cases)
    EXPECT_EQ(FormatFileDateTime(stamp), expected) << stamp;
}

}  // namespace
}  // namespace qv
