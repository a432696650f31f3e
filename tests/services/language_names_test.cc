#include "services/language_names.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(DecodeLanguageCTest, NamesWindowsLanguageIdsInEnglish) {
  const std::pair<int32_t, const char*> ids[] = {{1033, "English (United States)"},
                                                 {1031, "German (Germany)"},
                                                 {0, "Language Neutral"},
                                                 {77777, "Unknown language 77777"}};
  for (const auto& [id, name] : ids) {
    std::string buffer;
    const int32_t n = DecodeLanguageC(id, &buffer, 1000);
    EXPECT_EQ(n, static_cast<int32_t>(buffer.size()));
    EXPECT_EQ(buffer, name) << id;
  }
  const std::pair<const char*, const char*> texts[] = {
      {"1033, 1031", "English (United States); German (Germany)"}, {"English", ""}, {"1033,", ""}};
  for (const auto& [text, name] : texts) {
    std::string buffer;
    DecodeLanguageC(std::string(text), &buffer, 1000);
    EXPECT_EQ(buffer, name) << text;
  }
  std::string buffer;
  EXPECT_EQ(DecodeLanguageC(1033, &buffer, 8), 7);  // keeps the buffer limit
  EXPECT_EQ(buffer, "English");
  EXPECT_EQ(CutUtf8("Caf\xC3\xA9", 4), "Caf");
}

}  // namespace
}  // namespace qv
