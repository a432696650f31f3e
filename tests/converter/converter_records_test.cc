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
#include "platform/machine/machine.h"
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
  void SetUp() override {
    Program().InstallerObject = msi::MakeEngineInstaller();
    ConverterTest::SetUp();
    m_combo = m_frm->Cb_ConvMsiFiles;
  }
  // Builds a fixture package; "" (the caller skips the test) without msitools.
  std::string Fixture(const std::string& name) {
    return MsiToolsAvailable() ? BuildFixture(m_dir, name) : "";
  }
  // Puts the session package on drive C as kPackage; false without msitools.
  bool PackageOnDriveC() {
    const std::string built = Fixture("session");
    const auto folder = std::filesystem::path(m_machine.DriveC()) / "Packages";
    std::filesystem::create_directories(folder);
    return !built.empty() && std::filesystem::copy_file(built, folder / "Session Sample.msi");
  }
  static std::string Text(const QPlainTextEdit* field) {
    return field->toPlainText().toStdString();
  }
  std::vector<std::string> List() const { return ComboItems(*m_combo); }
  // One event of the record tab on a package, as a user runs it: the package typed into the
  // combo (without leaving it), then the record typed and left.
  void KeysToPaths(const std::string& package, const std::string& keys) {
    m_combo->setEditText(QString::fromStdString(package));
    Type(m_frm->T_Original, keys);
  }
  void PathsToKeys(const std::string& package, const std::string& paths) {
    m_combo->setEditText(QString::fromStdString(package));
    Type(m_frm->T_Formatted, paths);
  }
  // After every event: the tab keeps no database or session open.
  static void ExpectNothingOpen(const std::string& what) {
    EXPECT_EQ(OpenDb().oDatabase, nullptr) << what;
    EXPECT_EQ(OpenDb().oSession, nullptr) << what;
  }
  std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (const ShownMessage& m : m_ui->messages) titles.push_back(m.title);
    return titles;
  }

  TempDir m_dir;
  QComboBox* m_combo = nullptr;
};

TEST_F(RecordTabTest, DropDownValidatesOnlyAStaleList) {
  if (!PackageOnDriveC()) GTEST_SKIP() << "msitools missing";
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

// A package is refused with the package check's reason and the focus stays; an accepted one
// is stored in its Windows form as the newest entry.
TEST_F(RecordTabTest, TheInstallerFileIsCheckedAndStoredInItsWindowsForm) {
  Type(m_combo, "C:\\Packages\\missing.msi");
  EXPECT_EQ(m_ui->messages.size(), 1u);
  EXPECT_EQ(QApplication::focusWidget(), m_combo);
  EXPECT_EQ(GetSettingStr("Converter0"), "");
  EXPECT_TRUE(List().empty());

  const std::string package = Fixture("session");
  if (package.empty()) GTEST_SKIP() << "msitools missing";
  const std::string windowsForm = WindowsFormOfHostPath(CurrentMachine(), package);
  ASSERT_NE(windowsForm, package);
  m_ui->messages.clear();
  Type(m_combo, package + "   ");
  EXPECT_TRUE(m_ui->messages.empty());
  EXPECT_EQ(GetSettingStr("Converter0"), windowsForm);
  EXPECT_EQ(m_combo->currentText().toStdString(), windowsForm);
  EXPECT_EQ(List(), std::vector<std::string>{windowsForm});
}

// After both roads on a package, each road on another package (valid, empty, vanished)
// sees nothing of the first one.
TEST_F(RecordTabTest, TheNextPackageSeesNothingOfThePreviousOne) {
  const std::string a = Fixture("session");
  const std::string b = Fixture("basic");
  if (a.empty() || b.empty()) GTEST_SKIP() << "msitools missing";
  const std::string vanished = m_dir.Sub("vanished.msi");
  const std::string path = kMainExePath;
  const std::string record = "[#MainExe] [INSTALLDIR]";
  const struct {
    const char* what;
    std::string package;
    std::string formatted;            // keys to paths; "" when nothing is translated
    std::string original;             // paths to keys; "" when nothing is translated
    std::vector<std::string> titles;  // of the messages of the two events
  } cases[] = {
      {"valid",
       b,
       "\"[#MainExe] C:\\Program Files (x86)\\Quorvex Sample\\\"",
       "[ProgramFilesFolder]Quorvex Vendor\\Product Home\\bin\\main program.exe",
       {}},
      {"empty", "", "", "", {"Error"}},
      {"vanished", vanished, "", "", {"Error", "Error", "ERROR - Not a Msi File"}},
  };
  for (const auto& c : cases) {
    std::filesystem::copy_file(a, vanished, std::filesystem::copy_options::overwrite_existing);
    for (const std::string& package : {a, vanished}) {
      PathsToKeys(package, path);
      ASSERT_EQ(Text(m_frm->T_Original), "[#MainExe]") << c.what;
      KeysToPaths(package, "[#MainExe]");
      ASSERT_EQ(Text(m_frm->T_Formatted), "\"" + path + "\"") << c.what;
    }
    std::filesystem::remove(vanished);
    m_ui->messages.clear();

    m_frm->T_Formatted->setPlainText("kept");
    KeysToPaths(c.package, record);
    EXPECT_EQ(Text(m_frm->T_Formatted), c.formatted.empty() ? "kept" : c.formatted) << c.what;
    ExpectNothingOpen(std::string(c.what) + ": keys to paths");
    PathsToKeys(c.package, path);
    EXPECT_EQ(Text(m_frm->T_Original), c.original.empty() ? record : c.original) << c.what;
    ExpectNothingOpen(std::string(c.what) + ": paths to keys");
    EXPECT_EQ(Titles(), c.titles) << c.what;
  }
}

}  // namespace
}  // namespace qv::test
