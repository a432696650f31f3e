#include "numbers/bit_lists.h"

#include <string>

#include <gtest/gtest.h>

#include "support/data_rows.h"

namespace qv {
namespace {

using Reader = int32_t (*)(std::string_view, Status*);

Reader ReaderNamed(const std::string& name) {
  return name == "hex list" ? HexListToValue
         : name == "bits"   ? BitsTextToValue
                            : LeadingNumberValue;
}

TEST(BitListsTest, WritesOneHexTermPerSetBitAndReadsItBack) {
  for (const test::DataRow& row : test::DataRows("numbers/numbers.txt", "HexList")) {
    const int32_t value = test::Int(row[0]);
    EXPECT_EQ(BitsToHexList(value), row[1]) << value;
    Status status;
    EXPECT_EQ(HexListToValue(row[1], &status), value);
    EXPECT_TRUE(status.ok());
  }
}

TEST(BitListsTest, ReadersTakeWhatTheyCan) {
  for (const test::DataRow& row : test::DataRows("numbers/numbers.txt", "Reads")) {
    Status status = Status::NotFound("not touched");
    EXPECT_EQ(ReaderNamed(row[0])(row[1], &status), test::Int(row[2])) << row[0] << " " << row[1];
    EXPECT_TRUE(status.ok()) << row[1];
  }
}

TEST(BitListsTest, ReadersRefuseValuesOutsideThirtyTwoBits) {
  for (const test::DataRow& row : test::DataRows("numbers/numbers.txt", "Refuses")) {
    Status status;
    EXPECT_EQ(ReaderNamed(row[0])(row[1], &status), 0) << row[1];
    EXPECT_FALSE(status.ok()) << row[1];
    if (!row[2].empty()) {
      EXPECT_EQ(status.message(), row[2]);
    }
  }
}

TEST(BitListsTest, WritesTheFourNumberForms) {
  for (const test::DataRow& row : test::DataRows("numbers/numbers.txt", "Forms")) {
    const int32_t value = test::Int(row[0]);
    EXPECT_EQ(SignSlotDecimal(value), row[1]);
    EXPECT_EQ(PlainDecimal(value), row[2]);
    EXPECT_EQ(HexDigits(value), row[3]);
    EXPECT_EQ(PaddedHex(value), row[4]);
  }
}

}  // namespace
}  // namespace qv
