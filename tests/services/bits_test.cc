#include "services/bits.h"

#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct HexCase {
  const char* digits;
  int32_t value;
};

TEST(HexToValueTest, ReadsDigitsAsTwosComplement) {
  const HexCase cases[] = {
      {"0", 0},
      {"10", 16},
      {"ff", 255},
      {"FF", 255},
      {"7FFFFFFF", 2147483647},
      {"80000000", -2147483647 - 1},
      {"FFFFFFFF", -1},
      {"FFFFFFFB", -5},
      {"000000000001", 1},
      {"  1A ", 26},
  };
  for (const HexCase& c : cases) {
    Status status = Status::NotFound("not touched");
    EXPECT_EQ(HexToValue(c.digits, &status), c.value) << c.digits;
    EXPECT_TRUE(status.ok()) << c.digits;
  }
}

TEST(HexToValueTest, RefusesTextThatIsNoHexNumber) {
  const char* cases[] = {"", "   ", "xyz", "1G", "&H10", "1 2", "-1"};
  for (const char* digits : cases) {
    Status status;
    EXPECT_EQ(HexToValue(digits, &status), 0) << digits;
    EXPECT_EQ(status.code(), Status::Code::kInvalidArgument) << digits;
    EXPECT_EQ(status.message(), "\"" + std::string(digits) + "\" is not a hexadecimal number");
  }
}

TEST(HexToValueTest, RefusesMoreThanEightSignificantDigits) {
  Status status;
  EXPECT_EQ(HexToValue("100000000", &status), 0);
  EXPECT_EQ(status.message(), "\"100000000\" has more than 8 hexadecimal digits");
}

struct BitsCase {
  int32_t value;
  const char* list;
};

const BitsCase kBitsCases[] = {
    {0, ""},
    {1, "1"},
    {5, "1,3"},
    {6, "2,3"},
    {-2147483647 - 1, "32"},
    {2147483647,
     "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31"},
    {-1,
     "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,"
     "32"},
};

TEST(BitsSetTest, ListsSetBitsAscending) {
  for (const BitsCase& c : kBitsCases) {
    std::string buffer = "left over";
    EXPECT_EQ(BitsSet(&buffer, c.value), static_cast<int32_t>(std::string(c.list).size()));
    EXPECT_EQ(buffer, c.list) << c.value;
  }
}

TEST(SetBitsTest, IsTheInverseOfBitsSet) {
  for (const BitsCase& c : kBitsCases) {
    int32_t value = 12345;
    EXPECT_TRUE(SetBits(&value, c.list).ok()) << c.list;
    EXPECT_EQ(value, c.value) << c.list;
  }
}

TEST(SetBitsTest, AcceptsBlanksEmptyFieldsAnyOrderAndRepeats) {
  const std::pair<const char*, int32_t> cases[] = {
      {" 1 , 3 ", 5}, {"3,1", 5}, {"1,,3,", 5}, {"1,1", 1}, {"   ", 0}, {"32,1", -2147483647}};
  for (const auto& [list, expected] : cases) {
    int32_t value = 0;
    EXPECT_TRUE(SetBits(&value, list).ok()) << list;
    EXPECT_EQ(value, expected) << list;
  }
}

TEST(SetBitsTest, RefusesBitNumbersOutsideOneToThirtyTwo) {
  const char* cases[] = {"0", "33", "-1", "99999999999"};
  for (const char* field : cases) {
    std::string list = std::string("1,") + field;
    int32_t value = 7;
    Status status = SetBits(&value, list);
    EXPECT_EQ(value, 0) << list;
    EXPECT_EQ(status.message(),
              "bit number \"" + std::string(field) + "\" in \"" + list + "\" is outside 1 to 32");
  }
}

TEST(SetBitsTest, RefusesFieldsThatAreNoNumbers) {
  const char* cases[] = {"x", "3a", "+2", "1.5"};
  for (const char* field : cases) {
    std::string list = std::string("1,") + field;
    int32_t value = 7;
    Status status = SetBits(&value, list);
    EXPECT_EQ(value, 0) << list;
    EXPECT_EQ(status.code(), Status::Code::kInvalidArgument);
    EXPECT_EQ(status.message(),
              "\"" + std::string(field) + "\" in \"" + list + "\" is not a bit number");
  }
}

TEST(GetLengthCTest, CountsUpToTheFirstNul) {
  using namespace std::string_literals;
  EXPECT_EQ(GetLengthC("abc\0def"s), 3);
  EXPECT_EQ(GetLengthC("\0"s), 0);
  EXPECT_EQ(GetLengthC("abc"), -1);
  EXPECT_EQ(GetLengthC(""), -1);
}

}  // namespace
}  // namespace qv
