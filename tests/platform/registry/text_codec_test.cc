#include "platform/registry/text_codec.h"

#include <gtest/gtest.h>

namespace qv::registry {
namespace {

TEST(TextCodecTest, Utf16KeepsEveryCharacterAndReplacesWhatIsNoUtf8) {
  const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD
  const std::pair<std::string, std::string> cases[] = {
      {"a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
      {"a\xC0\x80!", "a" + kBad + kBad + "!"},          // overlong
      {"\xED\xA0\x80", kBad + kBad + kBad},             // a surrogate
      {"\xF4\x90\x80\x80", kBad + kBad + kBad + kBad},  // past U+10FFFF
      {"\xE2\x82", kBad + kBad},                        // cut short
      {"\xF8!", kBad + "!"},
  };
  for (const auto& [text, back] : cases) {
    EXPECT_EQ(Utf16LeToUtf8(Utf8ToUtf16Le(text)), back) << text;
  }
  // A lone surrogate and an odd last byte.
  EXPECT_EQ(Utf16LeToUtf8(std::string{'\x3D', '\xD8', 'A', '\0', 'B'}), kBad + "A");
}

}  // namespace
}  // namespace qv::registry
