#include "services/language_names.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(DecodeLanguageCTest, NamesWindowsLanguageIdsInEnglish) {
  struct Case {
    int32_t id;
    const char* name;
  } cases[] = {
      {1033, "English (United States)"},  {1031, "German (Germany)"}, {1041, "Japanese (Japan)"},
      {2057, "English (United Kingdom)"}, {1036, "French (France)"},  {0, "Language Neutral"},
      {77777, "Unknown language 77777"},
  };
  for (const Case& c : cases) {
    std::string buffer;
    int32_t length = DecodeLanguageC(c.id, &buffer, 1000);
    EXPECT_EQ(length, static_cast<int32_t>(buffer.size()));
    EXPECT_EQ(buffer, c.name) << c.id;
  }
}

TEST(DecodeLanguageCTest, ReadsTheTextsPackagesHold) {
  struct Case {
    const char* ids;
    const char* name;
  } cases[] = {
      {"1033", "English (United States)"},
      {"1033, 1031", "English (United States); German (Germany)"},
      {"0", "Language Neutral"},
      {"", ""},
      {"English", ""},
      {"1033,", ""},
  };
  for (const Case& c : cases) {
    std::string buffer;
    DecodeLanguageC(std::string(c.ids), &buffer, 1000);
    EXPECT_EQ(buffer, c.name) << c.ids;
  }
}

TEST(DecodeLanguageCTest, KeepsTheBufferLimit) {
  std::string buffer;
  EXPECT_EQ(DecodeLanguageC(1033, &buffer, 8), 7);
  EXPECT_EQ(buffer, "English");
  EXPECT_EQ(CutUtf8("Caf\xC3\xA9", 4), "Caf");
}

}  // namespace
}  // namespace qv
