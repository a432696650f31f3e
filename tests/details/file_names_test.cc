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

TEST(FormatFileDateTimeTest, TimeComesBeforeTheUsersDate) {
  test::ScopedEnv env;
  env.Set("LC_ALL", "de_DE.UTF-8");
  const std::pair<const char*, const char*> cases[] = {
      {"20240131130509", "13:05:09 31.01.2024"},
      {"19991231235959", "23:59:59 31.12.1999"},
      {"", ""},
      {"00000000123456", ""},  // a stamp without a date
      {"00000000", ""},
  };
  for (const auto& [stamp, expected] : cases)
    EXPECT_EQ(FormatFileDateTime(stamp), expected) << stamp;
}

TEST(FormatFileDateTimeTest, UsesTheUsersDateFormat) {
  test::ScopedEnv env;
  env.Set("LC_ALL", "C");
  EXPECT_EQ(FormatFileDateTime("20240131130509"), "13:05:09 1/31/2024");
}

}  // namespace
}  // namespace qv
