#include "details/file_names.h"

#include <gtest/gtest.h>

#include "support/fresh_program_state.h"

namespace qv {
namespace {

TEST(TitleCaseNameTest, StartsEachWordWithACapital) {
  test::FreshProgramState fresh;
  const std::pair<const char*, const char*> cases[] = {
      {"SETUP.MSI", "Setup.Msi"},
      {"1abc.msi", "1abc.Msi"},  // a digit starts the word but stays a digit
      {"a#b\\c/d(e)f g", "A#B\\C/D(E)F G"},
      {"MIXED-case_NAME.Log", "Mixed-case_name.Log"},  // '-' and '_' join words
      {"caf\xC3\x89.msi", "Caf\xC3\x89.Msi"},          // letters beyond a-z keep their case
      {"", ""},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(TitleCaseName(name), expected) << name;
}

}  // namespace
}  // namespace qv
