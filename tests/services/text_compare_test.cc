#include "services/text_compare.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qv {
namespace {

int Sign(int32_t value) {
  return (value > 0) - (value < 0);
}

// One-character separators take a one-pass route (eight bytes at a time over a shared
// beginning); splitting at a two-character separator takes the general one. Doubling every
// "\\" must not change any order.
TEST(TextCompareTest, OneCharacterSeparatorAgreesWithSplitting) {
  std::mt19937 rng(99);
  auto random_part = [&](size_t most) {
    std::string text;
    for (size_t n = rng() % (most + 1); n > 0; --n) text += "aAb \\"[rng() % 5];
    return text;
  };
  auto doubled = [](const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string shared = random_part(20);
    const std::string a = shared + random_part(6), b = shared + random_part(6);
    const std::string a2 = doubled(a), b2 = doubled(b);
    for (int32_t ignore_case : {0, -1}) {
      ASSERT_EQ(Sign(CompareKeys(a, b, "\\", ignore_case)),
                Sign(CompareKeys(a2, b2, "\\\\", ignore_case)))
          << "[" << a << "] [" << b << "]";
    }
  }
}

TEST(TextCompareTest, FormatTrailingNumericPadsTheTrailingNumberSoItOrdersByValue) {
  const std::pair<const char*, std::string> cases[] = {
      {"file9", "file00000000000000000009"},
      {"file010", "file00000000000000000010"},
      {"12", "00000000000000000012"},
      {"name", "name"},
      {"a1b", "a1b"},
      {"x123456789012345678901", "x123456789012345678901"},  // longer than the width
  };
  for (const auto& [text, expected] : cases) {
    std::string out = "stale";
    EXPECT_EQ(FormatTrailingNumeric(text, &out), static_cast<int32_t>(expected.size()));
    EXPECT_EQ(out, expected) << text;
  }
}

}  // namespace
}  // namespace qv
