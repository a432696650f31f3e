#include "services/text_compare.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qv {
namespace {

int Sign(int32_t value) {
  return (value > 0) - (value < 0);
}

TEST(TextCompareTest, StrcTextComparesBytesUnsigned) {
  EXPECT_EQ(Sign(strcText("abc", "abd")), -1);
  EXPECT_EQ(Sign(strcText("abc", "abc")), 0);
  EXPECT_EQ(Sign(strcText("abc", "ab")), 1);
  EXPECT_EQ(Sign(strcText("Abc", "abc")), -1);
  EXPECT_EQ(Sign(strcText("", "a")), -1);
  // Bytes above 127 sort after ASCII, as their code points do.
  EXPECT_EQ(Sign(strcText("\xC3\xA9", "z")), 1);
}

TEST(TextCompareTest, StricTextIgnoresCaseOfAsciiLetters) {
  EXPECT_EQ(Sign(stricText("Program Files", "PROGRAM FILES")), 0);
  EXPECT_EQ(Sign(stricText("a", "B")), -1);
  EXPECT_EQ(Sign(stricText("B", "a")), 1);
  // "_" lies between upper- and lower-case letters; folding puts letters above it.
  EXPECT_EQ(Sign(stricText("_", "A")), -1);
  EXPECT_EQ(Sign(stricText("\xC3\x89", "\xC3\xA9")), -1);  // only A-Z fold
}

struct KeyCase {
  const char* a;
  const char* b;
  const char* separator;
  int32_t ignore_case;
  int expected;
};

TEST(TextCompareTest, CompareKeysGoesPartByPart) {
  const KeyCase cases[] = {
      {"C:\\a\\b", "C:\\a b", "\\", 0, -1},  // whole-text order would put " " first
      {"C:\\a b", "C:\\a\\b", "\\", 0, 1},
      {"C:\\a", "C:\\a\\b", "\\", 0, -1},
      {"C:\\a\\", "C:\\a", "\\", 0, 1},
      {"C:\\a\\", "C:\\a\\", "\\", 0, 0},
      {"C:\\Dir\\x", "C:\\dir\\x", "\\", 0, -1},
      {"C:\\Dir\\x", "C:\\dir\\x", "\\", -1, 0},
      {"C:\\Dir\\Y", "C:\\dir\\x", "\\", -1, 1},
      {"C:\\a\\b", "C:\\a b", "", 0, 1},  // no separator: whole texts
      {"", "", "\\", 0, 0},
      {"", "\\", "\\", 0, -1},
      {"a::b", "a:c", "::", 0, -1},  // multi-character separators split too
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(Sign(CompareKeys(c.a, c.b, c.separator, c.ignore_case)), c.expected)
        << c.a << " vs " << c.b << " sep '" << c.separator << "'";
  }
}

// One-character separators take a one-pass route; splitting at a two-character separator
// takes the general one. Doubling every "\\" must not change any order.
TEST(TextCompareTest, OneCharacterSeparatorAgreesWithSplitting) {
  std::mt19937 rng(99);
  const char alphabet[] = {'a', 'A', 'b', ' ', '\\'};
  auto random_text = [&] {
    std::string text;
    for (size_t n = rng() % 7; n > 0; --n) text += alphabet[rng() % 5];
    return text;
  };
  auto doubled = [](const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string a = random_text();
    const std::string b = random_text();
    for (int32_t ignore_case : {0, -1}) {
      ASSERT_EQ(Sign(CompareKeys(a, b, "\\", ignore_case)),
                Sign(CompareKeys(doubled(a), doubled(b), "\\\\", ignore_case)))
          << "[" << a << "] [" << b << "]";
    }
  }
}

TEST(TextCompareTest, FormatTrailingNumericPadsTheTrailingNumber) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"file9", "file00000000000000000009"},
      {"file010", "file00000000000000000010"},
      {"v0", "v00000000000000000000"},
      {"12", "00000000000000000012"},
      {"name", "name"},
      {"", ""},
      {"a1b", "a1b"},
      {"x123456789012345678901", "x123456789012345678901"},  // longer than the width
  };
  for (const auto& c : cases) {
    std::string out = "stale";
    EXPECT_EQ(FormatTrailingNumeric(c.text, &out),
              static_cast<int32_t>(std::string(c.expected).size()));
    EXPECT_EQ(out, c.expected) << c.text;
  }
}

TEST(TextCompareTest, FormattedTrailingNumbersOrderByValue) {
  std::string nine;
  std::string ten;
  FormatTrailingNumeric("File9", &nine);
  FormatTrailingNumeric("file10", &ten);
  EXPECT_LT(stricText(nine, ten), 0);
  EXPECT_GT(stricText("File9", "file10"), 0);
}

}  // namespace
}  // namespace qv
