#include "records/record_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

TEST(RecordTextTest, GetFldReadsTaggedFields) {
  const struct {
    const char* record;
    const char* tag;
    const char* expected;
  } cases[] = {
      {"", "|1=", ""},
      {"|1=a|2=b", "|3=", ""},
      {"|1=a|2=b", "|2=", "b"},
      {"|1=a|2=b", "|1=", "a"},
      {"|1=\"C:\\a|b\\\"|2=K", "|1=", "C:\\a|b\\"},
      {"|1=C:\\x\\|2=KEY|filler=    ", "|filler=", "    "},
  };
  for (const auto& c : cases) EXPECT_EQ(GetFld(c.record, c.tag), c.expected) << c.record;
}

TEST(RecordTextTest, ExtractFirstFldSplitsAtTheDelimiter) {
  const struct {
    const char* text;
    const char* delimiter;
    const char* token;
    const char* rest;
  } cases[] = {
      {"  a|b", "|", "  a", "b"},  // the token keeps its blanks
      {"abc", "|", "abc", ""},
      {"", "|", "", ""},
      {"    ", "|", "", ""},
      {"a|", "|", "a", ""},
      {"1, 2, 3", ", ", "1", "2, 3"},
      {"\"a|b\" | c ", "|", "a|b ", "c"},  // quoted: cut by the library, rest trimmed
      {"  first second ", "", "first", "second"},
      {" \"x y\" z", "", "x y", "z"},  // the library is handed the trimmed text
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(ExtractFirstFld(&text, c.delimiter), c.token) << "[" << c.text << "]";
    EXPECT_EQ(text, c.rest) << "[" << c.text << "]";
  }
}

TEST(RecordTextTest, ExtractFirstFldWalksAList) {
  std::string text = "1,3,,32";
  std::string seen;
  while (!text.empty()) seen += "[" + ExtractFirstFld(&text, ",") + "]";
  EXPECT_EQ(seen, "[1][3][][32]");
}

TEST(RecordTextTest, BarsSplitShortAndLongNames) {
  EXPECT_EQ(AfterFirstBar("PROGRA~1.EXE|Program File.exe"), "Program File.exe");
  EXPECT_EQ(BeforeFirstBar("PROGRA~1.EXE|Program File.exe"), "PROGRA~1.EXE");
  EXPECT_EQ(AfterFirstBar("setup.exe"), "setup.exe");
  EXPECT_EQ(BeforeFirstBar("setup.exe"), "setup.exe");
  EXPECT_EQ(AfterFirstBar("a|b|c"), "b|c");
  EXPECT_EQ(BeforeFirstBar("|b"), "");
}

}  // namespace
}  // namespace qv
