// The converter window as a whole: its captions, what it restores and saves, and that closing
// it ends the program.

#include <string>

#include <QGroupBox>
#include <QMenuBar>

#include "app/settings.h"
#include "converter_fixture.h"

namespace qv::test {
namespace {

using ConverterWindowTest = ConverterTest;

TEST_F(ConverterWindowTest, ShowsItsCaptionsAndZerosOnTheFirstRunAndItsValuesAfterARestart) {
  EXPECT_EQ(m_frm->windowTitle(), "Conversions");
  // The bit-value frames change caption when the window opens ("&" would be a mnemonic).
  EXPECT_EQ(m_frm->Fr_BitsHex[4]->title(),
            "Bits Values in Hex Delimited by \"+(Ampersand Character)H\"");
  ASSERT_EQ(m_frm->menuBar()->actions().size(), 1);
  EXPECT_EQ(m_frm->menuBar()->actions()[0]->text(), "Return");
  const std::pair<const char*, const char*> shown[] = {
      {"Label1",
       "To use the Convertor drop the value to be converted in a appropriate field.\n"
       "The Converted value will be displayed in the other fields in the Frame once the "
       "\"Input Focus\" has changed eg the mouse is clicked another field"},
      {"T_OrigValue_2", " 0"},
      {"T_BitsHex_2", "&H0"},
      {"T_ConvVal_4", "00000000"},
  };
  for (const auto& [name, text] : shown) EXPECT_EQ(Text(name), text) << name;
  EXPECT_TRUE(m_ui->messages.empty());

  // The values come back after a restart.
  m_frm.reset();
  const std::string guid = "{12345678-1234-1234-1234-123456789ABC}";
  const std::string path = "C:\\Program Files\\Quorvex Sample\\Read Me First.txt";
  SaveSettingStr("Converter_CompGUID", guid);
  SaveSettingStr("Converter_FileName", path);
  Open();
  // The GUID is converted as the window opens.
  EXPECT_EQ(Text("T_OrigValue_0"), guid);
  EXPECT_EQ(Text("T_ConvVal_0"), "8765432143214321214321436587A9CB");
  EXPECT_EQ(Text("T_OrigValue_1"), path);
  ClickOperator(0);
  Enter("T_OrigValue_2", "7");
  Enter("T_OrigValue_3", "-2");
  Enter("T_OrigValue_0", "{2A000000-0000-0000-0000-000000000002}");  // not saved
  m_frm->Cb_ConvMsiFiles->setEditText("C:\\pkgs\\app.msi");
  SaveSettingStr("Converter_CompGUID", "changed elsewhere");  // written back unchanged

  m_frm->M_Exit->trigger();
  QApplication::processEvents();
  m_frm.reset();
  EXPECT_EQ(std::make_pair(m_ui->endCount, m_ui->lastExitCode), std::make_pair(1, 0));
  EXPECT_EQ(GetSettingDWord("Converter_Value1"), -2);
  EXPECT_EQ(GetSettingDWord("Converter_Value2"), 5);
  EXPECT_EQ(GetSettingStr("Converter_CompGUID"), guid);
  EXPECT_EQ(GetSettingStr("Converter_FileName"), path);

  Open();
  for (const auto& [name, text] :
       {std::pair{"T_OrigValue_2", " 7"}, {"T_ConvVal_3", "FFFFFFFE"}, {"T_OrigValue_4", "5"}}) {
    EXPECT_EQ(Text(name), text) << name;
  }
  EXPECT_EQ(m_frm->Cb_ConvMsiFiles->currentText(), "C:\\pkgs\\app.msi");
  EXPECT_TRUE(m_ui->messages.empty());
}

}  // namespace
}  // namespace qv::test
