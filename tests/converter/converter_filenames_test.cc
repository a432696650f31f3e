// The "Long File Names - Short File Names" tab: a real file under drive C typed in its long
// and its short form.

#include <filesystem>
#include <fstream>
#include <string>

#include "app/settings.h"
#include "converter_fixture.h"

namespace qv::test {
namespace {

constexpr const char* kLongPath = "C:\\Program Files\\Quorvex Sample\\Read Me First.txt";

class FileNameTabTest : public ConverterTest {
 protected:
  FileNameTabTest() : ConverterTest(3) {
    const auto folder = std::filesystem::path(m_machine.DriveC()) / "Program Files/Quorvex Sample";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Read Me First.txt") << "sample";
  }
  void Type(bool shortField, const QString& text) {
    ConverterTest::Type(shortField ? m_frm->T_ConvVal[1] : m_frm->T_OrigValue[1], text);
  }
  std::string LongText() const { return Text("T_OrigValue_1"); }
  std::string ShortText() const { return Text("T_ConvVal_1"); }
};

TEST_F(FileNameTabTest, LongPathShowsItsShortFormAndBack) {
  Type(false, kLongPath);
  const std::string shortPath = ShortText();
  EXPECT_EQ(shortPath, "C:\\PROGRA~1\\QUORVE~1\\README~1.TXT");

  Type(false, "");
  EXPECT_EQ(ShortText(), "");

  Type(true, QString::fromStdString(shortPath));
  EXPECT_EQ(LongText(), kLongPath);
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(FileNameTabTest, PathsThatDoNotExistGiveAnEmptyOtherField) {
  const struct {
    bool shortField;
    const char* typed;
  } cases[] = {
      {false, "C:\\Program Files\\Quorvex Sample\\Missing File.txt"},
      {false, "C:\\No Such Folder\\Read Me First.txt"},
      {true, "C:\\PROGRA~1\\MISSIN~1.TXT"},
  };
  for (const auto& c : cases) {
    Type(!c.shortField, "left over");  // puts a text into the other field
    Type(c.shortField, c.typed);
    EXPECT_EQ(c.shortField ? LongText() : ShortText(), "") << c.typed;
  }
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(FileNameTabTest, SavedLongPathIsConvertedWhenTheWindowOpens) {
  m_frm.reset();
  SaveSettingStr("Converter_FileName", kLongPath);
  Open();
  EXPECT_EQ(LongText(), kLongPath);
  EXPECT_EQ(ShortText(), "C:\\PROGRA~1\\QUORVE~1\\README~1.TXT");
}

}  // namespace
}  // namespace qv::test
