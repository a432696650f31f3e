// The fields of the "GUIDs", "Numeric Values" and "Long File Names - Short File Names" tabs:
// what the other fields show once the focus leaves one, what is refused and said, and the
// operator buttons. The conversions themselves (GUID identification, the number readers and
// operators, short names) are tested below the window.

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "converter_fixture.h"
#include "guids/guid_machine.h"
#include "platform/msi/automation.h"

namespace qv::test {
namespace {

using namespace guid;
using Texts = std::vector<std::pair<const char*, std::string>>;

constexpr const char* kLongPath = "C:\\Program Files\\Quorvex Sample\\Read Me First.txt";
constexpr const char* kShortPath = "C:\\PROGRA~1\\QUORVE~1\\README~1.TXT";

// On a machine with registered products and the file of kLongPath.
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
  TempDir m_dir;
};

TEST_F(ConverterFieldsTest, EachFieldFillsItsGroupOrSaysWhyItRefuses) {
  const std::string installed = "Installed Product - Name Installed App\n Version 2.5.1";
  const struct {
    const char* what;
    Texts entered;  // after A = 5 and B = 3 with Add
    Texts shown;
  } cases[] = {
      // clang-format off
      {"GUID", {{"T_OrigValue_0", kInstalled}},
       {{"T_ConvVal_0", kInstalledPacked}, {"L_GUIDDetails", installed}}},
      {"packed GUID", {{"T_ConvVal_0", kAdvertisedPacked}},
       {{"T_OrigValue_0", kAdvertised},
        {"L_GUIDDetails", "Advertised Product - Name Advertised App\n Version "}}},
      {"emptied GUID keeps the description", {{"T_OrigValue_0", kInstalled}, {"T_OrigValue_0", ""}},
       {{"T_ConvVal_0", ""}, {"L_GUIDDetails", installed}}},
      {"long path", {{"T_OrigValue_1", kLongPath}}, {{"T_ConvVal_1", kShortPath}}},
      {"short path", {{"T_ConvVal_1", kShortPath}}, {{"T_OrigValue_1", kLongPath}}},
      {"decimal keeps its text", {{"T_OrigValue_2", "12abc"}},
       {{"T_OrigValue_2", "12abc"}, {"T_ConvVal_2", "C"}, {"T_Bits_2", "3,4"},
        {"T_BitsHex_2", "&H4+&H8"}, {"T_OrigValue_4", "15"}, {"T_ConvVal_4", "0000000F"},
        {"T_Bits_4", "1,2,3,4"}, {"T_BitsHex_4", "&H1+&H2+&H4+&H8"}}},
      {"emptying B recomputes", {{"T_OrigValue_3", ""}},
       {{"T_ConvVal_3", ""}, {"T_Bits_3", ""}, {"T_OrigValue_2", "5"}, {"T_OrigValue_4", "5"}}},
      {"hex", {{"T_ConvVal_2", "ff"}}, {{"T_OrigValue_2", " 255"}, {"T_OrigValue_4", "258"}}},
      {"bit list leaves the result", {{"T_OrigValue_2", "2"}, {"T_Bits_2", "1,3"}},
       {{"T_ConvVal_2", "5"}, {"T_OrigValue_2", " 5"}, {"T_OrigValue_4", "5"}}},
      {"bit values", {{"T_BitsHex_3", "&H1+xyz+&H"}},
       {{"T_OrigValue_3", " 1"}, {"T_Bits_3", "1"}, {"T_BitsHex_3", "&H1+xyz+&H"}}},
      {"the result group converts without recomputing", {{"T_ConvVal_4", "10"}},
       {{"T_OrigValue_4", " 16"}, {"T_Bits_4", "5"}, {"T_OrigValue_2", "5"}}},
      // clang-format on
  };
  ClickOperator(0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Enter("T_OrigValue_2", "5");
    Enter("T_OrigValue_3", "3");
    for (const auto& [name, text] : c.entered) Enter(name, text);
    for (const auto& [name, text] : c.shown) EXPECT_EQ(Text(name), text) << name;
  }
  ClickOperator(9);  // the last button: minus B
  EXPECT_EQ(Text("T_OrigValue_4"), "-3");
  EXPECT_TRUE(m_ui->messages.empty());

  // A refusal is the reader's reason, begun with a capital and ended with a full stop; it
  // leaves the value and the result. A result that cannot be computed shows zero.
  const struct {
    const char *field, *typed, *message, *result;
  } refused[] = {
      {"T_ConvVal_2", "xyz", "\"xyz\" is not a hexadecimal number.", "3"},
      {"T_OrigValue_3", "0", "Error has occured performing calculation", "0"},
  };
  Enter("T_OrigValue_3", "2");
  ClickOperator(3);  // Divide
  for (const auto& c : refused) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed);
    Enter("T_OrigValue_2", "6");
    Enter(c.field, c.typed);
    ASSERT_EQ(m_ui->messages.size(), 1u);
    EXPECT_EQ(m_ui->messages[0].text, c.message);
    EXPECT_EQ(m_ui->messages[0].title, "Error");
    EXPECT_EQ(m_ui->messages[0].buttons, ui::Buttons::kOk);
    m_ui->messages.clear();
    EXPECT_EQ(m_frm->Values[0], 6);
    EXPECT_EQ(Text("T_OrigValue_4"), c.result);
  }
}

}  // namespace
}  // namespace qv::test
