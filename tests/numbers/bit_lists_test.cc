#include "numbers/bit_lists.h"

#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr int32_t kLowest = -2147483647 - 1;

std::string AllThirtyTwoTerms() {
  std::string list = "&H1";
  for (int n = 1; n < 32; ++n) list += "+&H" + HexDigits(static_cast<int32_t>(1u << n));
  return list;
}

TEST(BitListsTest, WritesOneHexTermPerSetBitAndReadsItBack) {
  // clang-format off
  const std::pair<int32_t, std::string> cases[] = {
      {0, "&H0"}, {1, "&H1"}, {5, "&H1+&H4"}, {272, "&H10+&H100"}, {kLowest, "&H80000000"},
      {-2147483647, "&H1+&H80000000"}, {-1, AllThirtyTwoTerms()}};
  // clang-format on
  for (const auto& [value, list] : cases) EXPECT_EQ(BitsToHexList(value), list) << value;
  for (int32_t value : {0, 1, 5, 255, -1, kLowest, 2147483647, -5, 123456789}) {
    Status status;
    EXPECT_EQ(HexListToValue(BitsToHexList(value), &status), value);
    EXPECT_TRUE(status.ok());
  }
}

using Reader = int32_t (*)(std::string_view, Status*);

void ExpectReads(Reader read, std::initializer_list<std::pair<const char*, int32_t>> cases) {
  for (const auto& [text, value] : cases) {
    Status status = Status::NotFound("not touched");
    EXPECT_EQ(read(text, &status), value) << text;
    EXPECT_TRUE(status.ok()) << text;
  }
}

TEST(BitListsTest, ReadersTakeWhatTheyCan) {
  // clang-format off
  ExpectReads(HexListToValue, {
      {"", 0}, {"&H1+&H4", 5}, {"&h1+&H4", 5}, {"&H1+xyz+&H", 1}, {"&H10+10+H10", 16},
      {"&HFFFFFFFF+&H1", 0}, {"&H7FFFFFFF+&H80000000", -1}});
  ExpectReads(BitsTextToValue, {{"1,3", 5}, {"", 0}});
  ExpectReads(LeadingNumberValue, {
      {"42", 42}, {"  42", 42}, {"-7", -7}, {"+7", 7}, {"12abc", 12}, {"abc", 0}, {"", 0},
      {"-", 0}, {".", 0}, {"&H10", 16}, {"&h10", 16}, {"&HFFFFFFFF", -1}, {"&H1G", 1},
      {"&H", 0}, {"&Hxyz", 0}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"-3.5", -4},
      {"2.51", 3}, {".5", 0}, {"1.5", 2}, {"1e3", 1000}, {"1E+3x", 1000}, {"1d2", 100},
      {"25e-1", 2}, {"1e", 1}, {"1e+", 1}, {"2147483647", 2147483647},
      {"-2147483648", kLowest}, {"2147483647.4", 2147483647}, {"1 2", 1}});
  // clang-format on
}

TEST(BitListsTest, ReadersRefuseValuesOutsideThirtyTwoBits) {
  const std::string range =
      "\" is outside the range of a signed 32-bit number "
      "(-2147483648 to 2147483647)";
  const struct {
    Reader read;
    const char* text;
    std::string message;
  } cases[] = {
      {HexListToValue, "&H7FFFFFFF+&H1",
       "the bit values \"&H7FFFFFFF+&H1\" add up to more than a signed 32-bit number holds"},
      {HexListToValue, "&H80000000+&HFFFFFFFF", ""},
      {HexListToValue, "&H1+&Hzz",
       "\"&Hzz\" in \"&H1+&Hzz\" is not a hexadecimal number of at most 8 digits"},
      {HexListToValue, "&H100000000", ""},
      {BitsTextToValue, "1,40", "bit number \"40\" in \"1,40\" is outside 1 to 32"}};
  for (const auto& c : cases) {
    Status status;
    EXPECT_EQ(c.read(c.text, &status), 0) << c.text;
    EXPECT_FALSE(status.ok()) << c.text;
    if (!c.message.empty()) {
      EXPECT_EQ(status.message(), c.message);
    }
  }
  for (const char* text : {"2147483648", "-2147483649", "2147483647.5", "1e10", "1e999",
                           "&H100000000", "99999999999999999999999"}) {
    Status status;
    EXPECT_EQ(LeadingNumberValue(text, &status), 0) << text;
    EXPECT_EQ(status.message(), "\"" + std::string(text) + range);
  }
}

TEST(BitListsTest, WritesTheFourNumberForms) {
  const struct {
    int32_t value;
    const char *signSlot, *plain, *hex, *padded;
  } cases[] = {
      {0, " 0", "0", "0", "00000000"},
      {42, " 42", "42", "2A", "0000002A"},
      {-7, "-7", "-7", "FFFFFFF9", "FFFFFFF9"},
      {kLowest, "-2147483648", "-2147483648", "80000000", "80000000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SignSlotDecimal(c.value), c.signSlot);
    EXPECT_EQ(PlainDecimal(c.value), c.plain);
    EXPECT_EQ(HexDigits(c.value), c.hex);
    EXPECT_EQ(PaddedHex(c.value), c.padded);
  }
}

}  // namespace
}  // namespace qv
