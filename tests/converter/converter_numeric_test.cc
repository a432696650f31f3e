// The "Numeric Values" tab driven through its fields: typing, leaving a field, choosing an
// operator, and what every field shows afterwards.

#include <string>

#include "converter_fixture.h"

namespace qv::test {
namespace {

using NumericTabTest = ConverterTest;

constexpr int kA = 2;
constexpr int kB = 3;
constexpr int kResult = 4;

struct OperatorCase {
  const char* a;
  const char* b;
  int op;
  const char* decimal;
  const char* paddedHex;
  const char* bits;
  const char* bitValues;
};

TEST_F(NumericTabTest, OperatorsFillTheResultGroup) {
  const OperatorCase cases[] = {
      {"3", "4", 0, "7", "00000007", "1,2,3", "&H1+&H2+&H4"},
      {"3", "4", 1, "-1", "FFFFFFFF", "", ""},
      {"-6", "7", 2, "-42", "FFFFFFD6", "", ""},
      {"7", "2", 3, "3", "00000003", "1,2", "&H1+&H2"},
      {"7", "2", 4, "1", "00000001", "1", "&H1"},
      {"-7", "2", 3, "-3", "FFFFFFFD", "", ""},
      {"-7", "2", 4, "-1", "FFFFFFFF", "", ""},
      {"12", "10", 5, "8", "00000008", "4", "&H8"},
      {"12", "10", 6, "14", "0000000E", "2,3,4", "&H2+&H4+&H8"},
      {"12", "10", 7, "6", "00000006", "2,3", "&H2+&H4"},
      {"5", "9", 8, "-5", "FFFFFFFB",
       "1,2,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31,32", ""},
      {"5", "9", 9, "-9", "FFFFFFF7", "", ""},
  };
  for (const OperatorCase& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " op " + std::to_string(c.op) + " " + c.b);
    ClickOperator(5);
    Enter("T_OrigValue", kA, c.a);
    Enter("T_OrigValue", kB, c.b);
    ClickOperator(c.op);
    EXPECT_EQ(Text("T_OrigValue", kResult), c.decimal);
    EXPECT_EQ(Text("T_ConvVal", kResult), c.paddedHex);
    if (*c.bits) {
      EXPECT_EQ(Text("T_Bits", kResult), c.bits);
    }
    if (*c.bitValues) {
      EXPECT_EQ(Text("T_BitsHex", kResult), c.bitValues);
    }
    EXPECT_EQ(m_frm->Values[2], std::stoi(c.decimal));
  }
  EXPECT_TRUE(m_ui->messages.empty());
}

struct FailingCase {
  const char* a;
  const char* b;
  int op;
};

TEST_F(NumericTabTest, CalculationErrorsShowTheMessageAndZero) {
  const FailingCase cases[] = {
      {"2147483647", "1", 0},  {"-2147483648", "1", 1}, {"65536", "65536", 2},
      {"5", "0", 3},           {"5", "0", 4},           {"-2147483648", "-1", 3},
      {"-2147483648", "0", 8}, {"0", "-2147483648", 9},
  };
  for (const FailingCase& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " op " + std::to_string(c.op) + " " + c.b);
    ClickOperator(5);
    Enter("T_OrigValue", kA, c.a);
    Enter("T_OrigValue", kB, c.b);
    m_ui->messages.clear();
    ClickOperator(c.op);
    ASSERT_EQ(m_ui->messages.size(), 1u);
    EXPECT_EQ(m_ui->messages[0].text, "Error has occured performing calculation");
    EXPECT_EQ(m_ui->messages[0].title, "Error");
    EXPECT_EQ(m_ui->messages[0].buttons, ui::Buttons::kOk);
    EXPECT_EQ(Text("T_OrigValue", kResult), "0");
    EXPECT_EQ(Text("T_ConvVal", kResult), "00000000");
    EXPECT_EQ(Text("T_Bits", kResult), "");
    EXPECT_EQ(Text("T_BitsHex", kResult), "&H0");
    EXPECT_EQ(m_frm->Values[2], 0);
  }
}

TEST_F(NumericTabTest, AddOverflowWhileTypingBShowsTheMessage) {
  ClickOperator(0);
  Enter("T_OrigValue", kA, "2147483647");
  EXPECT_EQ(Text("T_OrigValue", kResult), "2147483647");
  Enter("T_OrigValue", kB, "1");
  ASSERT_EQ(m_ui->messages.size(), 1u);
  EXPECT_EQ(m_ui->messages[0].text, "Error has occured performing calculation");
  EXPECT_EQ(Text("T_OrigValue", kResult), "0");
  EXPECT_EQ(Text("T_BitsHex", kResult), "&H0");
}

struct DecimalCase {
  const char* typed;
  const char* hex;
  const char* bits;
  const char* bitValues;
  const char* result;  ///< A + 1
};

TEST_F(NumericTabTest, DecimalFieldReadsTheLeadingNumber) {
  Enter("T_OrigValue", kB, "1");
  ClickOperator(0);
  const DecimalCase cases[] = {
      {"&H10", "10", "5", "&H10", "17"},
      {"2.5", "2", "2", "&H2", "3"},
      {"3.5", "4", "3", "&H4", "5"},
      {"12abc", "C", "3,4", "&H4+&H8", "13"},
      {"not a number", "0", "", "&H0", "1"},
      {"-1", "FFFFFFFF", "", "", "0"},
      {"  1e2", "64", "3,6,7", "&H4+&H20+&H40", "101"},
  };
  for (const DecimalCase& c : cases) {
    SCOPED_TRACE(c.typed);
    Enter("T_OrigValue", kA, c.typed);
    EXPECT_EQ(Text("T_OrigValue", kA), c.typed);  // left as typed
    EXPECT_EQ(Text("T_ConvVal", kA), c.hex);
    if (*c.bits || *c.bitValues) {
      EXPECT_EQ(Text("T_Bits", kA), c.bits);
      EXPECT_EQ(Text("T_BitsHex", kA), c.bitValues);
    }
    EXPECT_EQ(Text("T_OrigValue", kResult), c.result);
  }
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(NumericTabTest, EmptyingBClearsItsGroupAndRecomputes) {
  ClickOperator(0);
  Enter("T_OrigValue", kA, "5");
  Enter("T_OrigValue", kB, "3");
  EXPECT_EQ(Text("T_OrigValue", kResult), "8");
  Enter("T_OrigValue", kB, "");
  EXPECT_EQ(Text("T_ConvVal", kB), "");
  EXPECT_EQ(Text("T_Bits", kB), "");
  EXPECT_EQ(Text("T_BitsHex", kB), "");
  EXPECT_EQ(m_frm->Values[1], 0);
  EXPECT_EQ(m_frm->Values[0], 5);
  EXPECT_EQ(Text("T_OrigValue", kA), "5");
  EXPECT_EQ(Text("T_OrigValue", kResult), "5");
  EXPECT_EQ(Text("T_ConvVal", kResult), "00000005");
}

TEST_F(NumericTabTest, EmptyingTheHexFieldClearsItsGroupAndRecomputes) {
  ClickOperator(0);
  Enter("T_OrigValue", kA, "5");
  Enter("T_OrigValue", kB, "3");
  Enter("T_ConvVal", kA, "");
  EXPECT_EQ(Text("T_OrigValue", kA), "");
  EXPECT_EQ(Text("T_Bits", kA), "");
  EXPECT_EQ(Text("T_BitsHex", kA), "");
  EXPECT_EQ(Text("T_OrigValue", kResult), "3");
}

TEST_F(NumericTabTest, HexFieldFillsTheOtherFieldsAndRecomputes) {
  ClickOperator(0);
  Enter("T_OrigValue", kB, "1");
  Enter("T_ConvVal", kA, "ff");
  EXPECT_EQ(Text("T_OrigValue", kA), " 255");
  EXPECT_EQ(Text("T_Bits", kA), "1,2,3,4,5,6,7,8");
  EXPECT_EQ(Text("T_BitsHex", kA), "&H1+&H2+&H4+&H8+&H10+&H20+&H40+&H80");
  EXPECT_EQ(Text("T_ConvVal", kA), "ff");
  EXPECT_EQ(Text("T_OrigValue", kResult), "256");
  EXPECT_EQ(Text("T_ConvVal", kResult), "00000100");
}

TEST_F(NumericTabTest, BitListFillsTheGroupButLeavesTheResult) {
  ClickOperator(0);
  Enter("T_OrigValue", kA, "2");
  Enter("T_OrigValue", kB, "3");
  Enter("T_Bits", kA, "1,3");
  EXPECT_EQ(Text("T_ConvVal", kA), "5");
  EXPECT_EQ(Text("T_OrigValue", kA), " 5");
  EXPECT_EQ(Text("T_BitsHex", kA), "&H1+&H4");
  EXPECT_EQ(m_frm->Values[0], 5);
  EXPECT_EQ(Text("T_OrigValue", kResult), "5");
  EXPECT_EQ(m_frm->Values[2], 5);
  // The next change through another field brings the result up to date.
  Enter("T_OrigValue", kB, "4");
  EXPECT_EQ(Text("T_OrigValue", kResult), "9");
}

TEST_F(NumericTabTest, BitValueListCountsOnlyHexTerms) {
  Enter("T_BitsHex", kB, "&H1+xyz+&H");
  EXPECT_EQ(m_frm->Values[1], 1);
  EXPECT_EQ(Text("T_OrigValue", kB), " 1");
  EXPECT_EQ(Text("T_ConvVal", kB), "1");
  EXPECT_EQ(Text("T_Bits", kB), "1");
  EXPECT_EQ(Text("T_BitsHex", kB), "&H1+xyz+&H");
}

TEST_F(NumericTabTest, ZeroAndMinusOneShowTheirBitValues) {
  Enter("T_OrigValue", kA, "0");
  EXPECT_EQ(Text("T_BitsHex", kA), "&H0");
  EXPECT_EQ(Text("T_Bits", kA), "");
  Enter("T_OrigValue", kA, "-1");
  QStringList terms = Field("T_BitsHex", kA)->text().split('+');
  ASSERT_EQ(terms.size(), 32);
  EXPECT_EQ(terms.front(), "&H1");
  EXPECT_EQ(terms.back(), "&H80000000");
  EXPECT_EQ(Text("T_ConvVal", kA), "FFFFFFFF");
}

TEST_F(NumericTabTest, ResultGroupFieldsConvertWithoutRecomputing) {
  ClickOperator(0);
  Enter("T_OrigValue", kA, "1");
  Enter("T_ConvVal", kResult, "10");
  EXPECT_EQ(Text("T_OrigValue", kResult), " 16");
  EXPECT_EQ(Text("T_Bits", kResult), "5");
  EXPECT_EQ(m_frm->Values[2], 16);
}

struct RefusedCase {
  const char* field;
  const char* typed;
  const char* message;
};

TEST_F(NumericTabTest, RefusedInputLeavesTheValueAndSaysWhy) {
  const RefusedCase cases[] = {
      {"T_OrigValue", "99999999999",
       "\"99999999999\" is outside the range of a signed 32-bit number (-2147483648 to "
       "2147483647)."},
      {"T_OrigValue", "-2147483649",
       "\"-2147483649\" is outside the range of a signed 32-bit number (-2147483648 to "
       "2147483647)."},
      {"T_ConvVal", "123456789", "\"123456789\" has more than 8 hexadecimal digits."},
      {"T_ConvVal", "xyz", "\"xyz\" is not a hexadecimal number."},
      {"T_Bits", "1,33", "Bit number \"33\" in \"1,33\" is outside 1 to 32."},
      {"T_Bits", "1,x", "\"x\" in \"1,x\" is not a bit number."},
      {"T_BitsHex", "&H7FFFFFFF+&H1",
       "The bit values \"&H7FFFFFFF+&H1\" add up to more than a signed 32-bit number holds."},
      {"T_BitsHex", "&Hzz",
       "\"&Hzz\" in \"&Hzz\" is not a hexadecimal number of at most 8 digits."},
  };
  ClickOperator(0);
  Enter("T_OrigValue", kB, "2");
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed);
    Enter("T_OrigValue", kA, "6");
    m_ui->messages.clear();
    Enter(c.field, kA, c.typed);
    ASSERT_EQ(m_ui->messages.size(), 1u);
    EXPECT_EQ(m_ui->messages[0].text, c.message);
    EXPECT_EQ(m_ui->messages[0].title, "Error");
    EXPECT_EQ(m_ui->messages[0].buttons, ui::Buttons::kOk);
    EXPECT_EQ(m_frm->Values[0], 6);
    EXPECT_EQ(m_frm->Values[2], 8);
    EXPECT_EQ(Text("T_OrigValue", kResult), "8");
  }
}

}  // namespace
}  // namespace qv::test
