// The "Decode Formatted MSI Records" tab: the installer-file combo's validation and drop-down,
// and the two record fields. The translations and the history are tested below the window.

#include <filesystem>
#include <string>
#include <vector>

#include <QComboBox>
#include <QPlainTextEdit>

#include "app/settings.h"
#include "converter/installer_file_history.h"
#include "converter_fixture.h"
#include "platform/msi/engine_installer.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv::test {
namespace {

constexpr const char* kPackage = "C:\\Packages\\Session Sample.msi";
constexpr const char* kMainExePath =
    "C:\\Program Files (x86)\\Quorvex Vendor\\Product Home\\bin\\main program.exe";

class RecordTabTest : public ConverterTest {
 protected:
  RecordTabTest() : ConverterTest(2) { Program().InstallerObject = msi::MakeEngineInstaller(); }
  void SetUp() override {
    ConverterTest::SetUp();
    m_combo = m_frm->Cb_ConvMsiFiles;
  }
  // Puts the session package on drive C as kPackage; false (test skipped) without msitools.
  bool MakePackage() {
    if (!MsiToolsAvailable()) return false;
    const std::string built = BuildFixture(m_dir, "session");
    const auto folder = std::filesystem::path(m_machine.DriveC()) / "Packages";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(built, folder / "Session Sample.msi");
    return !built.empty();
  }
  void Type(QWidget* field, const std::string& text) {
    ConverterTest::Type(field, QString::fromStdString(text));
  }
  static std::string Text(const QPlainTextEdit* field) {
    return field->toPlainText().toStdString();
  }
  std::vector<std::string> List() const {
    std::vector<std::string> items;
    for (int i = 0; i < m_combo->count(); ++i) items.push_back(m_combo->itemText(i).toStdString());
    return items;
  }

  TempDir m_dir;
  QComboBox* m_combo = nullptr;
};

#define QV_PACKAGE_OR_SKIP() \
  if (!MakePackage()) GTEST_SKIP() << "msitools missing"

TEST_F(RecordTabTest, AcceptedFileBecomesTheNewestEntryAndComesBackAfterARestart) {
  QV_PACKAGE_OR_SKIP();
  Type(m_combo, std::string(kPackage) + "   ");
  EXPECT_TRUE(m_ui->messages.empty());
  EXPECT_EQ(GetSettingStr("Converter0"), kPackage);
  EXPECT_EQ(List(), std::vector<std::string>{kPackage});
  EXPECT_EQ(m_combo->currentText().toStdString(), kPackage);
  CloseByReturn();
  EXPECT_EQ(GetSettingStr("ConvMsiFile"), kPackage);
  Open();
  EXPECT_EQ(m_frm->Cb_ConvMsiFiles->currentText().toStdString(), kPackage);
  EXPECT_EQ(m_msiFile, kPackage);
}

TEST_F(RecordTabTest, DropDownValidatesOnlyAStaleList) {
  QV_PACKAGE_OR_SKIP();
  SaveSettingStr("Converter0", "C:\\Packages\\gone.msi");
  std::string first;
  LoadHistory("Converter", &first, m_combo);
  m_combo->showPopup();  // not stale: the missing file is not checked
  m_combo->hidePopup();
  EXPECT_TRUE(m_ui->messages.empty());

  m_combo->setEditText(kPackage);
  m_combo->showPopup();
  m_combo->hidePopup();
  EXPECT_TRUE(m_ui->messages.empty());
  EXPECT_EQ(List(), (std::vector<std::string>{kPackage, "C:\\Packages\\gone.msi"}));
}

TEST_F(RecordTabTest, InvalidFileKeepsTheFocusAndStoresNothing) {
  Type(m_combo, "C:\\Packages\\missing.msi");
  EXPECT_EQ(m_ui->messages.size(), 1u);  // the package check says why
  EXPECT_EQ(QApplication::focusWidget(), m_combo);
  EXPECT_EQ(GetSettingStr("Converter0"), "");
  EXPECT_TRUE(List().empty());
}

TEST_F(RecordTabTest, KeysBecomeQuotedFullPathsAndBack) {
  QV_FIXTURE_OR_SKIP(package, m_dir, "session");
  m_combo->setEditText(QString::fromStdString(package));
  const std::string quoted = std::string("\"") + kMainExePath + "\"";
  Type(m_frm->T_Original, "[#MainExe]");
  EXPECT_EQ(Text(m_frm->T_Formatted), quoted);
  Type(m_frm->T_Original, "\"[#MainExe]\" /run");  // begins with a quote: left as it is
  EXPECT_EQ(Text(m_frm->T_Formatted), quoted + " /run");
  EXPECT_EQ(OpenDb().oDatabase, nullptr);

  Type(m_frm->T_Original, "");
  Type(m_frm->T_Formatted, quoted);
  EXPECT_EQ(Text(m_frm->T_Original), "\"[#MainExe]\"");
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(RecordTabTest, NothingIsTranslatedFromAnInvalidPackageOrAnEmptyRecord) {
  m_combo->setEditText("C:\\Packages\\missing.msi");
  m_frm->T_Formatted->setPlainText("kept");
  Type(m_frm->T_Original, "[#MainExe]");
  EXPECT_EQ(m_ui->messages.size(), 1u);  // the package check says why
  EXPECT_EQ(Text(m_frm->T_Formatted), "kept");
  Type(m_frm->T_Original, "");  // an empty record is not checked at all
  EXPECT_EQ(m_ui->messages.size(), 1u);
}

}  // namespace
}  // namespace qv::test
