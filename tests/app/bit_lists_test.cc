#include "app/bit_lists.h"

#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr int32_t kLowest = -2147483647 - 1;

TEST(BitsToHexListTest, WritesOneTermPerSetBit) {
  const std::pair<int32_t, const char*> cases[] = {
      {0, "&H0"},
      {1, "&H1"},
      {5, "&H1+&H4"},
      {272, "&H10+&H100"},
      {kLowest, "&H80000000"},
      {-2147483647, "&H1+&H80000000"},
  };
  for (const auto& [value, list] : cases) EXPECT_EQ(BitsToHexList(value), list) << value;
}

TEST(BitsToHexListTest, MinusOneHasThirtyTwoTerms) {
  std::string expected;
  for (int n = 0; n < 32; ++n) expected += "+&H" + HexDigits(static_cast<int32_t>(1u << n));
  std::string list = BitsToHexList(-1);
  EXPECT_EQ(list, expected.substr(1));
  EXPECT_EQ(list.substr(0, 8), "&H1+&H2+");
  EXPECT_EQ(list.substr(list.size() - 10), "&H80000000");
}

TEST(HexListToValueTest, AddsTheHexTermsAndIgnoresOtherFields) {
  const std::pair<const char*, int32_t> cases[] = {
      {"", 0},
      {"&H1+&H4", 5},
      {"&h1+&H4", 5},
      {"&H1+xyz+&H", 1},
      {"&H10+10+H10", 16},
      {"&H0", 0},
      {"&HFFFFFFFF+&H1", 0},
      {"&H80000000", kLowest},
      {"&H7FFFFFFF+&H80000000", -1},
  };
  for (const auto& [text, value] : cases) {
    Status status = Status::NotFound("not touched");
    EXPECT_EQ(HexListToValue(text, &status), value) << text;
    EXPECT_TRUE(status.ok()) << text;
  }
}

TEST(HexListToValueTest, ReadsBackEveryBitsToHexList) {
  const int32_t values[] = {0, 1, 5, 255, -1, kLowest, 2147483647, -5, 123456789};
  for (int32_t value : values) {
    Status status;
    EXPECT_EQ(HexListToValue(BitsToHexList(value), &status), value);
    EXPECT_TRUE(status.ok());
  }
}

TEST(HexListToValueTest, RefusesSumsOutsideThirtyTwoBits) {
  Status status;
  EXPECT_EQ(HexListToValue("&H7FFFFFFF+&H1", &status), 0);
  EXPECT_EQ(status.message(),
            "the bit values \"&H7FFFFFFF+&H1\" add up to more than a signed 32-bit number holds");
  EXPECT_EQ(HexListToValue("&H80000000+&HFFFFFFFF", &status), 0);
  EXPECT_FALSE(status.ok());
}

TEST(HexListToValueTest, RefusesTermsThatAreNoHex) {
  Status status;
  EXPECT_EQ(HexListToValue("&H1+&Hzz", &status), 0);
  EXPECT_EQ(status.message(),
            "\"&Hzz\" in \"&H1+&Hzz\" is not a hexadecimal number of at most 8 digits");
  EXPECT_EQ(HexListToValue("&H100000000", &status), 0);
  EXPECT_FALSE(status.ok());
}

TEST(BitsTextToValueTest, ReadsBitListsAndReportsBadFields) {
  Status status;
  EXPECT_EQ(BitsTextToValue("1,3", &status), 5);
  EXPECT_TRUE(status.ok());
  EXPECT_EQ(BitsTextToValue("", &status), 0);
  EXPECT_TRUE(status.ok());
  EXPECT_EQ(BitsTextToValue("1,40", &status), 0);
  EXPECT_EQ(status.message(), "bit number \"40\" in \"1,40\" is outside 1 to 32");
}

TEST(LeadingNumberValueTest, ReadsTheNumberAtTheStart) {
  const std::pair<const char*, int32_t> cases[] = {
      {"42", 42},
      {"  42", 42},
      {"-7", -7},
      {"+7", 7},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {".", 0},
      {"&H10", 16},
      {"&h10", 16},
      {"&HFFFFFFFF", -1},
      {"&H1G", 1},
      {"&H", 0},
      {"&Hxyz", 0},
      {"2.5", 2},
      {"3.5", 4},
      {"-2.5", -2},
      {"-3.5", -4},
      {"2.51", 3},
      {".5", 0},
      {"1.5", 2},
      {"1e3", 1000},
      {"1E+3x", 1000},
      {"1d2", 100},
      {"25e-1", 2},
      {"1e", 1},
      {"1e+", 1},
      {"2147483647", 2147483647},
      {"-2147483648", kLowest},
      {"2147483647.4", 2147483647},
      {"1 2", 1},
  };
  for (const auto& [text, value] : cases) {
    Status status = Status::NotFound("not touched");
    EXPECT_EQ(LeadingNumberValue(text, &status), value) << text;
    EXPECT_TRUE(status.ok()) << text;
  }
}

TEST(LeadingNumberValueTest, RefusesNumbersOutsideThirtyTwoBits) {
  const char* cases[] = {"2147483648", "-2147483649", "2147483647.5",           "1e10",
                         "1e999",      "&H100000000", "99999999999999999999999"};
  for (const char* text : cases) {
    Status status;
    EXPECT_EQ(LeadingNumberValue(text, &status), 0) << text;
    EXPECT_EQ(status.message(), "\"" + std::string(text) +
                                    "\" is outside the range of a signed 32-bit number "
                                    "(-2147483648 to 2147483647)");
  }
}

TEST(NumberTextTest, WritesTheFourForms) {
  struct Case {
    int32_t value;
    const char* signSlot;
    const char* plain;
    const char* hex;
    const char* padded;
  };
  const Case cases[] = {
      {0, " 0", "0", "0", "00000000"},
      {42, " 42", "42", "2A", "0000002A"},
      {-7, "-7", "-7", "FFFFFFF9", "FFFFFFF9"},
      {-1, "-1", "-1", "FFFFFFFF", "FFFFFFFF"},
      {255, " 255", "255", "FF", "000000FF"},
      {kLowest, "-2147483648", "-2147483648", "80000000", "80000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SignSlotDecimal(c.value), c.signSlot);
    EXPECT_EQ(PlainDecimal(c.value), c.plain);
    EXPECT_EQ(HexDigits(c.value), c.hex);
    EXPECT_EQ(PaddedHex(c.value), c.padded);
  }
}

}  // namespace
}  // namespace qv
