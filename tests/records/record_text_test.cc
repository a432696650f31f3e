#include "records/record_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace qv {
namespace {

TEST(RecordTextTest, GetFldReadsTaggedFields) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"", "|1=", ""},
      {"|1=a|2=b", "|3=", ""},
      {"|1=a|2=b", "|2=", "b"},
      {"|1=\"C:\\a|b\\\"|2=K", "|1=", "C:\\a|b\\"},
      {"|1=C:\\x\\|2=KEY|filler=    ", "|filler=", "    "},
  };
  for (const auto& [record, tag, expected] : cases) EXPECT_EQ(GetFld(record, tag), expected);
}

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

TEST(RecordTextTest, BarsSplitShortAndLongNames) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"PROGRA~1.EXE|Program File.exe", "PROGRA~1.EXE", "Program File.exe"},
      {"setup.exe", "setup.exe", "setup.exe"},
      {"a|b|c", "a", "b|c"},
      {"|b", "", "b"},
  };
  for (const auto& [text, before, after] : cases) {
    EXPECT_EQ(BeforeFirstBar(text), before) << text;
    EXPECT_EQ(AfterFirstBar(text), after) << text;
  }
}

TEST(RecordTextTest, FieldTextCarriesAnyValue) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "|1="},
      {"C:\\plain\\", "|1=C:\\plain\\"},
      {"in\"side", "|1=in\"side"},
      {"F|2=k", "|1=\"F|2=k\""},
      {"\"quoted\"", "|1=\"\"\"quoted\"\"\""},
      {"ev|il|\"x", "|1=\"ev|il|\"\"x\""},
  };
  for (const auto& [value, field] : cases) {
    EXPECT_EQ(FieldText("|1=", value), field) << value;
    const std::string record = FieldText("|1=", value) + FieldText("|2=", value) + "|3=1";
    EXPECT_EQ(GetFld(record, "|1="), value) << record;
    EXPECT_EQ(GetFld(record, "|2="), value) << record;
    EXPECT_EQ(GetFld(record, "|3="), "1") << record;
  }
}

}  // namespace
}  // namespace qv
