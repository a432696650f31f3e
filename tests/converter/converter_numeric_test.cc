// The "Numeric Values" tab driven through its fields: typing, leaving a field, choosing an
// operator, and what every field shows afterwards.

#include <string>
#include <utility>
#include <vector>

#include "converter_fixture.h"

namespace qv::test {
namespace {

constexpr const char* kCalcError = "Error has occured performing calculation";

class NumericTabTest : public ConverterTest {
 protected:
  void ExpectOneError(const std::string& text) {
    ASSERT_EQ(m_ui->messages.size(), 1u);
    EXPECT_EQ(m_ui->messages[0].text, text);
    EXPECT_EQ(m_ui->messages[0].title, "Error");
    EXPECT_EQ(m_ui->messages[0].buttons, ui::Buttons::kOk);
    m_ui->messages.clear();
  }
};

TEST_F(NumericTabTest, OperatorsFillTheResultGroupOrReportTheError) {
  const struct {
    const char *a, *b;
    int op;
    const char *decimal, *paddedHex, *bits, *bitValues;
  } cases[] = {
      // clang-format off
      {"3", "4", 0, "7", "00000007", "1,2,3", "&H1+&H2+&H4"},
      {"3", "4", 1, "-1", "FFFFFFFF", nullptr, nullptr},
      {"-6", "7", 2, "-42", "FFFFFFD6", nullptr, nullptr},
      {"7", "2", 3, "3", "00000003", "1,2", "&H1+&H2"}, {"7", "2", 4, "1", "00000001", "1", "&H1"},
      {"-7", "2", 3, "-3", "FFFFFFFD", nullptr, nullptr},
      {"-7", "2", 4, "-1", "FFFFFFFF", nullptr, nullptr},
      {"12", "10", 5, "8", "00000008", "4", "&H8"},
      {"12", "10", 7, "6", "00000006", "2,3", "&H2+&H4"},
      {"12", "10", 6, "14", "0000000E", "2,3,4", "&H2+&H4+&H8"},
      {"5", "9", 8, "-5", "FFFFFFFB",
       "1,2,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32",
       nullptr},
      {"5", "9", 9, "-9", "FFFFFFF7", nullptr, nullptr},
      // A null decimal: the calculation fails; the result group shows zero.
      {"2147483647", "1", 0}, {"-2147483648", "1", 1}, {"65536", "65536", 2}, {"5", "0", 3},
      {"5", "0", 4}, {"-2147483648", "-1", 3}, {"-2147483648", "0", 8}, {"0", "-2147483648", 9},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " op " + std::to_string(c.op) + " " + c.b);
    const bool failed = c.decimal == nullptr;
    ClickOperator(5);
    Enter("T_OrigValue_2", c.a);
    Enter("T_OrigValue_3", c.b);
    ClickOperator(c.op);
    if (failed) ExpectOneError(kCalcError);
    EXPECT_TRUE(m_ui->messages.empty());
    EXPECT_EQ(Text("T_OrigValue_4"), failed ? "0" : c.decimal);
    EXPECT_EQ(Text("T_ConvVal_4"), failed ? "00000000" : c.paddedHex);
    if (failed || c.bits) {
      EXPECT_EQ(Text("T_Bits_4"), failed ? "" : c.bits);
    }
    if (failed || c.bitValues) {
      EXPECT_EQ(Text("T_BitsHex_4"), failed ? "&H0" : c.bitValues);
    }
    EXPECT_EQ(m_frm->Values[2], failed ? 0 : std::stoi(c.decimal));
  }
}

TEST_F(NumericTabTest, AddOverflowWhileTypingBShowsTheMessage) {
  ClickOperator(0);
  Enter("T_OrigValue_2", "2147483647");
  EXPECT_EQ(Text("T_OrigValue_4"), "2147483647");
  Enter("T_OrigValue_3", "1");
  ExpectOneError(kCalcError);
  EXPECT_EQ(Text("T_OrigValue_4"), "0");
  EXPECT_EQ(Text("T_BitsHex_4"), "&H0");
}

TEST_F(NumericTabTest, DecimalFieldReadsTheLeadingNumberAndKeepsTheText) {
  Enter("T_OrigValue_3", "1");
  ClickOperator(0);
  const struct {
    const char *typed, *hex, *bits, *bitValues, *aPlusOne;
  } cases[] = {
      {"&H10", "10", "5", "&H10", "17"},     {"2.5", "2", "2", "&H2", "3"},
      {"3.5", "4", "3", "&H4", "5"},         {"12abc", "C", "3,4", "&H4+&H8", "13"},
      {"not a number", "0", "", "&H0", "1"}, {"  1e2", "64", "3,6,7", "&H4+&H20+&H40", "101"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Enter("T_OrigValue_2", c.typed);
    EXPECT_EQ(Text("T_OrigValue_2"), c.typed);
    EXPECT_EQ(Text("T_ConvVal_2"), c.hex);
    EXPECT_EQ(Text("T_Bits_2"), c.bits);
    EXPECT_EQ(Text("T_BitsHex_2"), c.bitValues);
    EXPECT_EQ(Text("T_OrigValue_4"), c.aPlusOne);
  }
  EXPECT_TRUE(m_ui->messages.empty());
}

std::string AllBitValues() {
  std::string list = "&H1";
  for (int n = 1; n < 32; ++n)
    list += QStringLiteral("+&H%1").arg(1u << n, 0, 16).toUpper().toStdString();
  return list;
}

TEST_F(NumericTabTest, EachFieldFillsItsGroup) {
  using Texts = std::vector<std::pair<const char*, std::string>>;
  const struct {
    const char* what;
    Texts entered;  // after A = 5 and B = 3 with Add
    Texts shown;
  } cases[] = {
      // clang-format off
      {"emptying B recomputes", {{"T_OrigValue_3", ""}},
       {{"T_ConvVal_3", ""}, {"T_Bits_3", ""}, {"T_BitsHex_3", ""}, {"T_OrigValue_2", "5"},
        {"T_OrigValue_4", "5"}, {"T_ConvVal_4", "00000005"}}},
      {"emptying A's hex recomputes", {{"T_ConvVal_2", ""}},
       {{"T_OrigValue_2", ""}, {"T_Bits_2", ""}, {"T_BitsHex_2", ""}, {"T_OrigValue_4", "3"}}},
      {"hex", {{"T_ConvVal_2", "ff"}},
       {{"T_OrigValue_2", " 255"}, {"T_Bits_2", "1,2,3,4,5,6,7,8"}, {"T_ConvVal_2", "ff"},
        {"T_BitsHex_2", "&H1+&H2+&H4+&H8+&H10+&H20+&H40+&H80"},
        {"T_OrigValue_4", "258"}, {"T_ConvVal_4", "00000102"}}},
      {"bit list leaves the result", {{"T_OrigValue_2", "2"}, {"T_Bits_2", "1,3"}},
       {{"T_ConvVal_2", "5"}, {"T_OrigValue_2", " 5"}, {"T_BitsHex_2", "&H1+&H4"},
        {"T_OrigValue_4", "5"}}},
      {"the next change recomputes", {{"T_Bits_2", "1,3"}, {"T_OrigValue_3", "4"}},
       {{"T_OrigValue_4", "9"}}},
      {"bit values count only hex terms", {{"T_BitsHex_3", "&H1+xyz+&H"}},
       {{"T_OrigValue_3", " 1"}, {"T_ConvVal_3", "1"}, {"T_Bits_3", "1"},
        {"T_BitsHex_3", "&H1+xyz+&H"}}},
      {"zero", {{"T_OrigValue_2", "0"}}, {{"T_BitsHex_2", "&H0"}, {"T_Bits_2", ""}}},
      {"minus one", {{"T_OrigValue_2", "-1"}},
       {{"T_BitsHex_2", AllBitValues()}, {"T_ConvVal_2", "FFFFFFFF"}}},
      {"the result group converts without recomputing", {{"T_ConvVal_4", "10"}},
       {{"T_OrigValue_4", " 16"}, {"T_Bits_4", "5"}, {"T_OrigValue_2", "5"}}},
      // clang-format on
  };
  ClickOperator(0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Enter("T_OrigValue_2", "5");
    Enter("T_OrigValue_3", "3");
    for (const auto& [name, text] : c.entered) Enter(name, QString::fromStdString(text));
    for (const auto& [name, text] : c.shown) EXPECT_EQ(Text(name), text) << name;
  }
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(NumericTabTest, RefusedInputLeavesTheValueAndSaysWhy) {
  const std::string range =
      "\" is outside the range of a signed 32-bit number (-2147483648 to "
      "2147483647).";
  const struct {
    const char *field, *typed;
    std::string message;
  } refused[] = {
      {"T_OrigValue_2", "99999999999", "\"99999999999" + range},
      {"T_OrigValue_2", "-2147483649", "\"-2147483649" + range},
      {"T_ConvVal_2", "123456789", "\"123456789\" has more than 8 hexadecimal digits."},
      {"T_ConvVal_2", "xyz", "\"xyz\" is not a hexadecimal number."},
      {"T_Bits_2", "1,33", "Bit number \"33\" in \"1,33\" is outside 1 to 32."},
      {"T_Bits_2", "1,x", "\"x\" in \"1,x\" is not a bit number."},
      {"T_BitsHex_2", "&H7FFFFFFF+&H1",
       "The bit values \"&H7FFFFFFF+&H1\" add up to more than a signed 32-bit number holds."},
      {"T_BitsHex_2", "&Hzz",
       "\"&Hzz\" in \"&Hzz\" is not a hexadecimal number of at most 8 digits."},
  };
  ClickOperator(0);
  Enter("T_OrigValue_3", "2");
  for (const auto& c : refused) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed);
    Enter("T_OrigValue_2", "6");
    Enter(c.field, c.typed);
    ExpectOneError(c.message);
    EXPECT_EQ(m_frm->Values[0], 6);
    EXPECT_EQ(Text("T_OrigValue_4"), "8");
  }
}

}  // namespace
}  // namespace qv::test
