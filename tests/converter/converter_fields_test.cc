// The fields of the "GUIDs", "Numeric Values" and "Long File Names - Short File Names" tabs
// (cases in tests/data/converter/fields.tsv), what is refused and said, and the operator
// buttons. The conversions themselves are tested below the window.

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "converter_fixture.h"
#include "guids/guid_machine.h"
#include "platform/msi/automation.h"
#include "services/data_rows.h"

namespace qv::test {
namespace {

using Texts = std::vector<std::pair<const char*, std::string>>;

// On a machine with registered products and the file C:\Program Files\Quorvex Sample\Read Me
// First.txt.
class ConverterFieldsTest : public ConverterTest {
 protected:
  ConverterFieldsTest()
      : ConverterTest({.machineHive = GuidMachineHive(), .userHive = GuidUserHive()}) {}
  void SetUp() override {
    if (!MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
    ASSERT_TRUE(LayCachedPackage(m_dir, m_machine.DriveC()));
    const auto folder = std::filesystem::path(m_machine.DriveC()) / "Program Files/Quorvex Sample";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Read Me First.txt") << "sample";
    Program().InstallerObject = msi::CreateInstallerObject();
    ConverterTest::SetUp();
  }
  void ExpectOneError(const std::string& text) {
    ASSERT_EQ(m_ui->messages.size(), 1u);
    EXPECT_EQ(m_ui->messages[0].text, text);
    EXPECT_EQ(m_ui->messages[0].title, "Error");
    EXPECT_EQ(m_ui->messages[0].buttons, ui::Buttons::kOk);
    m_ui->messages.clear();
  }
  TempDir m_dir;
};

TEST_F(ConverterFieldsTest, EachFieldFillsItsGroup) {
  ClickOperator(0);
  for (const DataRow& row : DataRows("converter/fields.tsv")) {
    SCOPED_TRACE(row[0]);
    Enter("T_OrigValue_2", "5");
    Enter("T_OrigValue_3", "3");
    bool shown = false;
    for (auto field = row.begin() + 1; field != row.end(); ++field) {
      shown = shown || *field == ">";
      const size_t equals = field->find('=');
      if (equals == std::string::npos) continue;
      const QString name = QString::fromStdString(field->substr(0, equals));
      if (shown) {
        EXPECT_EQ(Text(name), field->substr(equals + 1)) << name.toStdString();
      } else {
        Enter(name, field->substr(equals + 1));
      }
    }
  }
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(ConverterFieldsTest, EachOperatorButtonFillsTheResultGroup) {
  // 12 and 10 under the ten buttons in their order.
  const char* results[] = {"22", "2", "120", "1", "2", "8", "14", "6", "-12", "-10"};
  Enter("T_OrigValue_2", "12");
  Enter("T_OrigValue_3", "10");
  for (int op = 0; op < 10; ++op) {
    ClickOperator(op);
    EXPECT_EQ(Text("T_OrigValue_4"), results[op]) << op;
  }
  ClickOperator(0);
  const Texts shown = {{"T_OrigValue_4", "22"},
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
  const Texts zero = {{"T_OrigValue_4", "0"},
                      {"T_ConvVal_4", "00000000"},
                      {"T_Bits_4", ""},
                      {"T_BitsHex_4", "&H0"}};
  for (const auto& [name, text] : zero) EXPECT_EQ(Text(name), text) << name;
  EXPECT_EQ(m_frm->Values[2], 0);
}

TEST_F(ConverterFieldsTest, RefusedInputLeavesTheValueAndSaysWhy) {
  // The reader's reason, begun with a capital and ended with a full stop.
  const struct {
    const char *field, *typed, *message;
  } refused[] = {
      {"T_ConvVal_2", "xyz", "\"xyz\" is not a hexadecimal number."},
      {"T_Bits_2", "1,33", "Bit number \"33\" in \"1,33\" is outside 1 to 32."},
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
