#include "services/bits.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

// The value HexToValue reads, or its message for text that is no hexadecimal number.
std::string Hex(const std::string& digits) {
  Status status = Status::NotFound("not touched");
  const int32_t value = HexToValue(digits, &status);
  if (status.ok()) return std::to_string(value);
  EXPECT_EQ(value, 0) << digits;
  EXPECT_EQ(status.code(), Status::Code::kInvalidArgument) << digits;
  return status.message();
}

// The value SetBits makes of list, or its message for a list it refuses.
std::string Bits(const std::string& list) {
  int32_t value = 12345;
  const Status status = SetBits(&value, list);
  if (status.ok()) return std::to_string(value);
  EXPECT_EQ(value, 0) << list;
  EXPECT_EQ(status.code(), Status::Code::kInvalidArgument) << list;
  return status.message();
}

TEST(HexToValueTest, ReadsDigitsAsTwosComplementOrRefusesThem) {
  const std::pair<const char*, const char*> read[] = {// clang-format off
      {"10", "16"}, {"ff", "255"}, {"FF", "255"}, {"7FFFFFFF", "2147483647"},
      {"80000000", "-2147483648"}, {"FFFFFFFB", "-5"}, {"000000000001", "1"}, {"  1A ", "26"}};
  // clang-format on
  for (const auto& [digits, value] : read) EXPECT_EQ(Hex(digits), value) << digits;
  EXPECT_EQ(Hex("100000000"), "\"100000000\" has more than 8 hexadecimal digits");
  for (std::string digits : {"", "   ", "xyz", "1G", "&H10", "1 2", "-1"}) {
    EXPECT_EQ(Hex(digits), "\"" + digits + "\" is not a hexadecimal number");
  }
}

TEST(BitsTest, BitsSetListsSetBitsAscendingAndSetBitsReadsThemBack) {
  const std::string all31 =
      "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31";
  const std::pair<int32_t, std::string> cases[] = {
      {0, ""}, {5, "1,3"}, {-2147483647 - 1, "32"}, {2147483647, all31}, {-1, all31 + ",32"}};
  for (const auto& [value, list] : cases) {
    std::string buffer = "left over";
    EXPECT_EQ(BitsSet(&buffer, value), static_cast<int32_t>(list.size()));
    EXPECT_EQ(buffer, list);
    EXPECT_EQ(Bits(list), std::to_string(value));
  }
  // Blanks, empty fields, any order and repeats.
  for (const char* list : {" 1 , 3 ", "1,,3,", "3,1,1"}) EXPECT_EQ(Bits(list), "5") << list;
  EXPECT_EQ(Bits("   "), "0");
  for (std::string field : {"0", "33", "-1", "99999999999"}) {
    EXPECT_EQ(Bits("1," + field),
              "bit number \"" + field + "\" in \"1," + field + "\" is outside 1 to 32");
  }
  for (std::string field : {"x", "3a", "+2", "1.5"}) {
    EXPECT_EQ(Bits("1," + field), "\"" + field + "\" in \"1," + field + "\" is not a bit number");
  }
}

}  // namespace
}  // namespace qv
