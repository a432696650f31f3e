#include "services/record_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "services/list_store.h"

namespace qv {
namespace {

// Fields come in any order; "=" and quoted "|" or tags stay inside a value; "" in quotes is
// one quote, text after the closing quote is kept, an unclosed quote runs to the end; text
// before the first tag and pieces without "=" are skipped; the first of two fields wins; tags
// compare whole and with case; room is left for the NUL.
TEST(RecordFieldsTest, GetFldCCReadsPlainAndQuotedValues) {
  const struct {
    const char *record, *tag, *expected;
    int32_t size = 1000;
  } cases[] = {
      {"|1=a|2=b", "|2=", "b"},
      {"|2=b|1=a", "|1=", "a"},
      {"|1=a|2=b", "|3=", ""},
      {"|1=a=b|2=c", "|1=", "a=b"},
      {"|1=\"x|y\"|2=z", "|1=", "x|y"},
      {"|1=\"x|2=y\"|2=z", "|2=", "z"},
      {"|1=\"say \"\"hi\"\"\"|2=z", "|1=", "say \"hi\""},
      {"|1=\"ab\"cd|2=z", "|1=", "abcd"},
      {"|1=\"open|2=z", "|1=", "open|2=z"},
      {"lead|x|1=a", "|1=", "a"},
      {"|1=a|1=b", "|1=", "a"},
      {"|1=a", "|1", ""},
      {"|Sfield=a", "|sfield=", ""},
      {"|1=abcdef", "|1=", "abc", 4},
  };
  for (const auto& c : cases) {
    std::string buffer = "stale";
    const int32_t n = GetFldCC(&buffer, c.record, c.tag, c.size);
    EXPECT_EQ(buffer, c.expected) << c.record << " " << c.tag;
    EXPECT_EQ(n, static_cast<int32_t>(buffer.size()));
  }
}

TEST(RecordFieldsTest, GetRecFldCReadsAStoredRecord) {
  ASSERT_EQ(QuorvexListSetup(41, 10, 100, 10), 41);
  QuorvexListAddItem(41, "|1=C:\\a\\|2=KeyA", -1);
  std::string buffer;
  EXPECT_EQ(GetRecFldC(41, 0, &buffer, 100, "|2="), 4);
  EXPECT_EQ(buffer, "KeyA");
  EXPECT_EQ(GetRecFldC(41, 1, &buffer, 100, "|2="), 0);
  EXPECT_EQ(buffer, "");
  EXPECT_EQ(GetRecFldC(999, 0, &buffer, 100, "|2="), 0);
}

}  // namespace
}  // namespace qv
