// The "Decode Formatted MSI Records" tab: the installer-file combo's validation and drop-down,
// its "Browse" through the file selection window, and the two record fields. The translations
// and the history are tested below the window.

#include <filesystem>
#include <string>
#include <vector>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include "app/settings.h"
#include "converter/installer_file_history.h"
#include "converter_fixture.h"
#include "listview/report_list.h"
#include "platform/machine/machine.h"
#include "platform/msi/engine_installer.h"
#include "selection/msidir_frm.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv::test {
namespace {

constexpr const char* kMainExePath =
    "C:\\Program Files (x86)\\Quorvex Vendor\\Product Home\\bin\\main program.exe";

class RecordTabTest : public ConverterTest {
 protected:
  void SetUp() override {
    Program().InstallerObject = msi::MakeEngineInstaller();
    ConverterTest::SetUp();
    m_combo = m_frm->Cb_ConvMsiFiles;
  }
  // Builds a fixture package; "" (the caller skips the test) without msitools.
  std::string Fixture(const std::string& name) {
    return MsiToolsAvailable() ? BuildFixture(m_dir, name) : "";
  }
  static std::string Text(const QPlainTextEdit* field) {
    return field->toPlainText().toStdString();
  }
  // One event of the record tab on a package, as a user runs it: the package typed into the
  // combo (without leaving it), then a record typed into field and left.
  void Translate(const std::string& package, QPlainTextEdit* field, const std::string& record) {
    m_combo->setEditText(QString::fromStdString(package));
    Type(field, record);
  }

  TempDir m_dir;
  QComboBox* m_combo = nullptr;
};

// A package is refused with the package check's reason and the focus stays; an accepted one
// is stored in its Windows form as the newest entry. A drop-down checks only a stale list.
// "Browse" opens the selection window, once; the package chosen there lands in the box.
TEST_F(RecordTabTest, TheInstallerFileIsCheckedAndStoredInItsWindowsForm) {
  Type(m_combo, "C:\\Packages\\missing.msi");
  EXPECT_EQ(m_ui->messages.size(), 1u);
  EXPECT_EQ(QApplication::focusWidget(), m_combo);
  EXPECT_EQ(GetSettingStr("Converter0"), "");

  const std::string package = Fixture("session");
  if (package.empty()) GTEST_SKIP() << "msitools missing";
  const std::string windowsForm = WindowsFormOfHostPath(CurrentMachine(), package);
  m_ui->messages.clear();
  Type(m_combo, package + "   ");
  EXPECT_EQ(GetSettingStr("Converter0"), windowsForm);
  EXPECT_EQ(m_combo->currentText().toStdString(), windowsForm);

  SaveSettingStr("Converter0", "C:\\Packages\\gone.msi");
  std::string first;
  LoadHistory("Converter", &first, m_combo);
  for (const std::string& text : {std::string("C:\\Packages\\gone.msi"), package}) {
    m_combo->setEditText(QString::fromStdString(text));
    m_combo->showPopup();  // the first is not stale: the missing file is not checked
    m_combo->hidePopup();
  }
  EXPECT_EQ(ComboItems(*m_combo),
            (std::vector<std::string>{windowsForm, "C:\\Packages\\gone.msi"}));

  const std::string built = Fixture("basic");
  const std::string folder = m_machine.DriveC() + "/Packages";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(built, folder + "/app.msi");

  m_frm->Cm_BMsiFile->click();
  m_frm->Cm_BMsiFile->click();  // a selection is under way: no second window
  const QList<MsiDir_Frm*> opened = m_frm->findChildren<MsiDir_Frm*>();
  ASSERT_EQ(opened.size(), 1);
  QPointer<MsiDir_Frm> selection = opened[0];
  selection->folderDialog = [&folder](QWidget*, const FolderRequest&) { return folder; };
  selection->Cm_GetDir->click();
  selection->FinishListing();
  selection->Lv_MSIFiles->setCurrentIndex(selection->Lv_MSIFiles->model()->index(0, 0));
  selection->Lv_MSIFiles_ItemClick();
  selection->M_Select->trigger();
  QApplication::processEvents();

  EXPECT_TRUE(!selection || !selection->isVisible());
  EXPECT_EQ(m_combo->currentText().toStdString(), "C:\\Packages\\App.Msi");
  EXPECT_EQ(GetSettingStr("Converter0"), "C:\\Packages\\App.Msi");
  EXPECT_TRUE(m_ui->messages.empty());
}

// After both roads on a package, each road on another package (valid, or the first one
// vanished) sees nothing of the first one; a record that is not translated is kept.
TEST_F(RecordTabTest, TheNextPackageSeesNothingOfThePreviousOne) {
  const std::string a = Fixture("session");
  const std::string b = Fixture("basic");
  if (a.empty() || b.empty()) GTEST_SKIP() << "msitools missing";
  const std::string vanished = m_dir.Sub("vanished.msi");
  const std::string path = kMainExePath;
  const std::string record = "[#MainExe] [INSTALLDIR]";
  const struct {
    std::string package;
    std::string formatted;            // keys to paths; "" when nothing is translated
    std::string original;             // paths to keys; "" when nothing is translated
    std::vector<std::string> titles;  // of the messages of the two events
  } cases[] = {
      {b,
       "\"[#MainExe] C:\\Program Files (x86)\\Quorvex Sample\\\"",
       "[ProgramFilesFolder]Quorvex Vendor\\Product Home\\bin\\main program.exe",
       {}},
      {vanished, "", "", {"Error", "Error", "ERROR - Not a Msi File"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.package);
    std::filesystem::copy_file(a, vanished, std::filesystem::copy_options::overwrite_existing);
    Translate(vanished, m_frm->T_Formatted, path);
    ASSERT_EQ(Text(m_frm->T_Original), "[#MainExe]");
    Translate(vanished, m_frm->T_Original, "[#MainExe]");
    ASSERT_EQ(Text(m_frm->T_Formatted), "\"" + path + "\"");
    std::filesystem::remove(vanished);
    m_ui->messages.clear();

    m_frm->T_Formatted->setPlainText("kept");
    Translate(c.package, m_frm->T_Original, record);
    EXPECT_EQ(Text(m_frm->T_Formatted), c.formatted.empty() ? "kept" : c.formatted);
    Translate(c.package, m_frm->T_Formatted, path);
    EXPECT_EQ(Text(m_frm->T_Original), c.original.empty() ? record : c.original);
    EXPECT_EQ(OpenDb().oDatabase, nullptr);
    EXPECT_EQ(OpenDb().oSession, nullptr);
    std::vector<std::string> titles;
    for (const ShownMessage& m : m_ui->messages) titles.push_back(m.title);
    EXPECT_EQ(titles, c.titles);
  }
}

}  // namespace
}  // namespace qv::test
