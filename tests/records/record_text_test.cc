#include "records/record_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace qv {
namespace {

TEST(RecordTextTest, ExtractFirstFldSplitsAtTheDelimiter) {
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"  a|b", "|", "  a", "b"},  // the token keeps its blanks
      {"abc", "|", "abc", ""},
      {"", "|", "", ""},
      {"    ", "|", "", ""},
      {"a|", "|", "a", ""},
      {"3,,32", ",", "3", ",32"},
      {",32", ",", "", "32"},
      {"1, 2, 3", ", ", "1", "2, 3"},
      {"\"a|b\" | c ", "|", "a|b ", "c"},  // quoted: cut by the library, rest trimmed
      {"  first second ", "", "first", "second"},
      {" \"x y\" z", "", "x y", "z"},  // the library is handed the trimmed text
  };
  for (const auto& [input, delimiter, token, rest] : cases) {
    std::string text = input;
    EXPECT_EQ(ExtractFirstFld(&text, delimiter), token) << "[" << input << "]";
    EXPECT_EQ(text, rest) << "[" << input << "]";
  }
}

}  // namespace
}  // namespace qv
