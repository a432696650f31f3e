// The "Numeric Values" tab driven through its fields: typing, leaving a field, choosing an
// operator, and what every field shows afterwards. The readers and the operators themselves
// are tested in tests/numbers.

#include <string>
#include <utility>
#include <vector>

#include "converter_fixture.h"

namespace qv::test {
namespace {

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

TEST_F(NumericTabTest, EachOperatorButtonFillsTheResultGroup) {
  // 12 and 10 under the ten buttons in their order.
  const char* results[] = {"22", "2", "120", "1", "2", "8", "14", "6", "-12", "-10"};
  Enter("T_OrigValue_2", "12");
  Enter("T_OrigValue_3", "10");
  for (int op = 0; op < 10; ++op) {
    ClickOperator(op);
    EXPECT_EQ(Text("T_OrigValue_4"), results[op]) << op;
  }
  ClickOperator(0);
  const std::pair<const char*, const char*> shown[] = {{"T_OrigValue_4", "22"},
                                                       {"T_ConvVal_4", "00000016"},
                                                       {"T_Bits_4", "2,3,5"},
                                                       {"T_BitsHex_4", "&H2+&H4+&H10"}};
  for (const auto& [name, text] : shown) EXPECT_EQ(Text(name), text) << name;
  EXPECT_EQ(m_frm->Values[2], 22);
  EXPECT_TRUE(m_ui->messages.empty());

  // A result that cannot be computed is reported, and the result group shows zero.
  Enter("T_OrigValue_3", "0");
  ClickOperator(3);
  ExpectOneError("Error has occured performing calculation");
  EXPECT_EQ(Text("T_OrigValue_4"), "0");
  EXPECT_EQ(Text("T_ConvVal_4"), "00000000");
  EXPECT_EQ(Text("T_Bits_4"), "");
  EXPECT_EQ(Text("T_BitsHex_4"), "&H0");
  EXPECT_EQ(m_frm->Values[2], 0);
}

TEST_F(NumericTabTest, AddOverflowWhileTypingBShowsTheMessage) {
  ClickOperator(0);
  Enter("T_OrigValue_2", "2147483647");
  EXPECT_EQ(Text("T_OrigValue_4"), "2147483647");
  Enter("T_OrigValue_3", "1");
  ExpectOneError("Error has occured performing calculation");
  EXPECT_EQ(Text("T_OrigValue_4"), "0");
}

TEST_F(NumericTabTest, EachFieldFillsItsGroup) {
  using Texts = std::vector<std::pair<const char*, std::string>>;
  const struct {
    const char* what;
    Texts entered;  // after A = 5 and B = 3 with Add
    Texts shown;
  } cases[] = {
      // clang-format off
      {"decimal keeps its text", {{"T_OrigValue_2", "12abc"}},
       {{"T_OrigValue_2", "12abc"}, {"T_ConvVal_2", "C"}, {"T_Bits_2", "3,4"},
        {"T_BitsHex_2", "&H4+&H8"}, {"T_OrigValue_4", "15"}}},
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
      {"bit values", {{"T_BitsHex_3", "&H1+xyz+&H"}},
       {{"T_OrigValue_3", " 1"}, {"T_ConvVal_3", "1"}, {"T_Bits_3", "1"},
        {"T_BitsHex_3", "&H1+xyz+&H"}}},
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
  // The reader's reason, begun with a capital and ended with a full stop.
  const struct {
    const char *field, *typed, *message;
  } refused[] = {
      {"T_OrigValue_2", "99999999999",
       "\"99999999999\" is outside the range of a signed 32-bit number (-2147483648 to "
       "2147483647)."},
      {"T_ConvVal_2", "xyz", "\"xyz\" is not a hexadecimal number."},
      {"T_Bits_2", "1,33", "Bit number \"33\" in \"1,33\" is outside 1 to 32."},
      {"T_BitsHex_2", "&H7FFFFFFF+&H1",
       "The bit values \"&H7FFFFFFF+&H1\" add up to more than a signed 32-bit number holds."},
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
