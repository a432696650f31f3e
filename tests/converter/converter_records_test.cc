// The "Decode Formatted MSI Records" tab: the installer-file combo's validation and drop-down,
// and the two record fields. The translations and the history are tested below the window.

#include <filesystem>
#include <fstream>
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
constexpr const char* kProductHomePath = "C:\\Program Files (x86)\\Quorvex Vendor\\Product Home\\";
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

  // Builds a fixture package; "" (test skipped by the caller) without msitools.
  std::string Fixture(const std::string& name) {
    return MsiToolsAvailable() ? BuildFixture(m_dir, name) : "";
  }
  // A text file named like a package.
  std::string NotAPackage() {
    const std::string path = m_dir.Sub("notes.msi");
    std::ofstream(path) << "just some notes\n";
    return path;
  }
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
  ExpectNothingOpen("after keys to paths");

  Type(m_frm->T_Original, "");
  Type(m_frm->T_Formatted, quoted);
  EXPECT_EQ(Text(m_frm->T_Original), "\"[#MainExe]\"");
  ExpectNothingOpen("after paths to keys");
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

TEST_F(RecordTabTest, FormattedToOriginalReleasesThePackageSoTheNextCheckVerifies) {
  const std::string package = Fixture("session");
  if (package.empty()) GTEST_SKIP() << "msitools missing";
  PathsToKeys(package, kMainExePath);
  EXPECT_EQ(Text(m_frm->T_Original), "[#MainExe]");
  ExpectNothingOpen("after paths to keys");

  const std::string notes = NotAPackage();
  Type(m_combo, notes);
  ASSERT_EQ(m_ui->messages.size(), 1u);
  EXPECT_TRUE(m_ui->messages[0].text.ends_with(" is not a valid Msi Package."))
      << m_ui->messages[0].text;
  EXPECT_EQ(GetSettingStr("Converter0"), "");
  ExpectNothingOpen("after validation");

  // Leaving the combo checks the file again; then the record is not translated.
  m_ui->messages.clear();
  m_frm->T_Formatted->setPlainText("kept");
  KeysToPaths(notes, "[#MainExe]");
  ASSERT_FALSE(m_ui->messages.empty());
  for (const ShownMessage& m : m_ui->messages) {
    EXPECT_EQ(m.title, "Error");
    EXPECT_TRUE(m.text.ends_with(" is not a valid Msi Package.")) << m.text;
  }
  EXPECT_EQ(Text(m_frm->T_Formatted), "kept");
  ExpectNothingOpen("after keys to paths");
}

TEST_F(RecordTabTest, AListBuiltForAnotherPackageIsRebuiltWithItsOwnSession) {
  const std::string a = Fixture("session");
  const std::string b = Fixture("basic");
  if (a.empty() || b.empty()) GTEST_SKIP() << "msitools missing";
  const std::string bin = kProductHomePath + std::string("bin\\");
  PathsToKeys(a, bin);
  EXPECT_EQ(Text(m_frm->T_Original), "[BinDir]");
  ExpectNothingOpen("paths to keys on A");
  KeysToPaths(b, "[UnknownKey]");  // builds B's directory list
  EXPECT_EQ(Text(m_frm->T_Formatted), "\"UnknownKey\"");
  ExpectNothingOpen("keys to paths on B");
  PathsToKeys(a, bin);
  EXPECT_EQ(Text(m_frm->T_Original), "[BinDir]");
  ExpectNothingOpen("paths to keys on A again");
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(RecordTabTest, TheErrorReportNamesThePackageInUse) {
  const std::string a = Fixture("session");
  const std::string noDirectories = Fixture("japanese");  // no Directory table
  if (a.empty() || noDirectories.empty()) GTEST_SKIP() << "msitools missing";
  PathsToKeys(a, kMainExePath);
  KeysToPaths(a, "[#MainExe]");
  KeysToPaths(noDirectories, "[INSTALLDIR] [ProductName]");
  ASSERT_EQ(Titles(), std::vector<std::string>{"Msi Access Error"});
  for (const ShownMessage& m : m_ui->messages) {
    EXPECT_EQ(m.text.find(a), std::string::npos) << m.title << ": " << m.text;
    if (m.title == "Msi Access Error") {
      EXPECT_NE(m.text.find("MsiFile :=" + noDirectories + " "), std::string::npos) << m.text;
    }
  }
  ExpectNothingOpen("after the report");
}

// After both roads on a package, each road on another package (valid, invalid, empty,
// vanished) sees nothing of the first one.
TEST_F(RecordTabTest, TheNextPackageSeesNothingOfThePreviousOne) {
  const std::string a = Fixture("session");
  const std::string b = Fixture("basic");
  if (a.empty() || b.empty()) GTEST_SKIP() << "msitools missing";
  const std::string vanished = m_dir.Sub("vanished.msi");
  const std::string notes = NotAPackage();
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
      {"invalid", notes, "", "", {"Error", "Error", "ERROR - Not a Msi File"}},
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

TEST_F(RecordTabTest, HostPathsAreStoredInTheirWindowsForm) {
  const std::string package = Fixture("session");
  if (package.empty()) GTEST_SKIP() << "msitools missing";
  const std::string windowsForm = WindowsFormOfHostPath(CurrentMachine(), package);
  ASSERT_NE(windowsForm, package);
  Type(m_combo, package);
  Type(m_combo, windowsForm);
  EXPECT_TRUE(m_ui->messages.empty());
  EXPECT_EQ(m_combo->currentText().toStdString(), windowsForm);
  EXPECT_EQ(List(), std::vector<std::string>{windowsForm});
}

TEST_F(RecordTabTest, TabLeavesTheRecordFields) {
  for (QPlainTextEdit* field : {m_frm->T_Original, m_frm->T_Formatted}) {
    field->setFocus(Qt::MouseFocusReason);
    field->setPlainText("C:\\x.exe");
    QTest::keyClick(field, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_NE(QApplication::focusWidget(), field) << field->objectName().toStdString();
    EXPECT_EQ(Text(field).find('\t'), std::string::npos);
  }
}

}  // namespace
}  // namespace qv::test
