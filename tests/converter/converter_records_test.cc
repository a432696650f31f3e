// The "Decode Formatted MSI Records" tab against the session fixture package: keys to full
// paths and back, and a package that is not valid.

#include <string>

#include <QComboBox>
#include <QPlainTextEdit>

#include "app/globals.h"
#include "converter_fixture.h"
#include "msidb/open_database_state.h"
#include "platform/msi/engine_installer.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv::test {
namespace {

constexpr const char* kMainExePath =
    "C:\\Program Files (x86)\\Quorvex Vendor\\Product Home\\bin\\main program.exe";

class RecordTabTest : public ConverterTest {
 protected:
  RecordTabTest() : ConverterTest(2) {
    OpenDb() = OpenDatabaseState{};
    InstallerObject = msi::MakeEngineInstaller();
  }
  ~RecordTabTest() override {
    m_frm.reset();
    OpenDb() = OpenDatabaseState{};
    InstallerObject = nullptr;
  }
  void Type(QPlainTextEdit* field, const std::string& text) {
    ConverterTest::Type(field, QString::fromStdString(text));
  }
  static std::string Text(const QPlainTextEdit* field) {
    return field->toPlainText().toStdString();
  }

  TempDir m_dir;
};

TEST_F(RecordTabTest, KeysBecomeQuotedFullPathsAndBack) {
  QV_FIXTURE_OR_SKIP(package, m_dir, "session");
  m_frm->Cb_ConvMsiFiles->setEditText(QString::fromStdString(package));
  const std::string quoted = std::string("\"") + kMainExePath + "\"";
  const struct {
    const char* original;
    std::string formatted;
  } cases[] = {
      {"[#MainExe]", quoted},
      {"\"[#MainExe]\" /run", quoted + " /run"},  // begins with a quote: left as it is
  };
  for (const auto& c : cases) {
    Type(m_frm->T_Original, c.original);
    EXPECT_EQ(Text(m_frm->T_Formatted), c.formatted) << c.original;
    EXPECT_EQ(OpenDb().oDatabase, nullptr);
    EXPECT_EQ(OpenDb().oSession, nullptr);
  }
  EXPECT_GE(m_ui->busyMaxDepth, 1);
  EXPECT_EQ(m_ui->busyDepth, 0);

  Type(m_frm->T_Original, "");
  Type(m_frm->T_Formatted, kMainExePath);
  EXPECT_EQ(Text(m_frm->T_Original), "[#MainExe]");
  Type(m_frm->T_Formatted, quoted);
  EXPECT_EQ(Text(m_frm->T_Original), "\"[#MainExe]\"");
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(RecordTabTest, AnInvalidPackageIsReportedAndNothingIsTranslated) {
  m_frm->Cb_ConvMsiFiles->setEditText("C:\\Packages\\missing.msi");
  m_frm->T_Formatted->setPlainText("kept");
  Type(m_frm->T_Original, "[#MainExe]");
  ASSERT_EQ(m_ui->messages.size(), 1u);
  EXPECT_EQ(m_ui->messages[0].title, "Error");
  EXPECT_EQ(m_ui->messages[0].text, "C:\\Packages\\missing.msi is not a valid file.");
  EXPECT_EQ(Text(m_frm->T_Formatted), "kept");
  EXPECT_EQ(m_ui->busyMaxDepth, 0);

  Type(m_frm->T_Original, "");  // an empty record is not checked at all
  EXPECT_EQ(m_ui->messages.size(), 1u);
}

}  // namespace
}  // namespace qv::test
