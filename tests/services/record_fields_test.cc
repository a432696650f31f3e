#include "services/record_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/data_rows.h"
#include "services/list_store.h"

namespace qv {
namespace {

TEST(RecordFieldsTest, GetFldCCReadsPlainAndQuotedValues) {
  for (const test::DataRow& row : test::DataRows("services/get_fld.tsv")) {
    SCOPED_TRACE(row[0] + " " + row[1]);
    std::string buffer = "stale";
    const int32_t n = GetFldCC(&buffer, row[0], row[1], row.size() > 3 ? test::Int(row[3]) : 1000);
    EXPECT_EQ(buffer, row[2]);
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

TEST(RecordFieldsTest, SplitFieldTagsCutsAtEachBar) {
  EXPECT_EQ(SplitFieldTags("|1=|3=1"), (std::vector<std::string_view>{"|1=", "|3=1"}));
  EXPECT_EQ(SplitFieldTags("x|a="), (std::vector<std::string_view>{"|a="}));
  EXPECT_TRUE(SplitFieldTags("").empty());
}

TEST(RecordFieldsTest, ExtractFirstFldCCutsTheFirstToken) {
  for (const test::DataRow& row : test::DataRows("services/extract_first_fld.tsv")) {
    SCOPED_TRACE(row[0]);
    std::string text = row[0];
    std::string buffer = "stale";
    const int32_t n = ExtractFirstFldC(&text, &buffer, row[1]);
    EXPECT_EQ(n, static_cast<int32_t>(buffer.size()));
    EXPECT_EQ(buffer, row[2]);
    EXPECT_EQ(text, row[3]);
  }
}

}  // namespace
}  // namespace qv
