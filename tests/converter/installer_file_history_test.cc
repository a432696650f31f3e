// The "Decode Formatted MSI Records" tab: keys to full paths and back, and the installer-file
// history behind its combo box (the stored entries "Converter0".. and the list shown).

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <QComboBox>
#include <QPlainTextEdit>

#include "app/settings.h"
#include "converter/installer_file_history.h"
#include "converter_fixture.h"
#include "platform/msi/engine_installer.h"
#include "services/registry_functions.h"
#include "state/program_state.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv::test {
namespace {

constexpr const char* kPackage = "C:\\Packages\\Session Sample.msi";
constexpr const char* kAbsent = "<absent>";
constexpr const char* kMainExePath =
    "C:\\Program Files (x86)\\Quorvex Vendor\\Product Home\\bin\\main program.exe";

std::string Stored(int n) {
  std::string value;
  if (GetREGString(SettingsKeyPath(), "Converter" + std::to_string(n), &value, 1000) <= 0) {
    return kAbsent;
  }
  return value;
}

std::vector<std::string> StoredEntries() {
  std::vector<std::string> entries;
  for (int n = 0; n <= 12; ++n) entries.push_back(Stored(n));
  return entries;
}

std::string Earlier(int n) {
  return "C:\\Earlier\\p" + std::to_string(n) + ".msi";
}

class InstallerFileHistoryTest : public ConverterTest {
 protected:
  InstallerFileHistoryTest() : ConverterTest(2) {
    Program().InstallerObject = msi::MakeEngineInstaller();
  }
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

  std::string LoadList() {
    std::string first = "unset";
    LoadHistory("Converter", &first, m_combo);
    return first;
  }

  TempDir m_dir;
  QComboBox* m_combo = nullptr;
};

#define QV_PACKAGE_OR_SKIP() \
  if (!MakePackage()) GTEST_SKIP() << "msitools missing"

TEST_F(InstallerFileHistoryTest, AcceptedFileBecomesTheNewestEntryAndComesBackAfterARestart) {
  QV_PACKAGE_OR_SKIP();
  Type(m_combo, std::string(kPackage) + "   ");
  EXPECT_TRUE(m_ui->messages.empty());
  EXPECT_EQ(Stored(0), kPackage);
  EXPECT_EQ(Stored(1), "");  // the empty list's one more entry, moved down
  EXPECT_EQ(List(), std::vector<std::string>{kPackage});
  EXPECT_EQ(m_combo->currentText().toStdString(), kPackage);
  CloseByReturn();
  EXPECT_EQ(GetSettingStr("ConvMsiFile"), kPackage);
  Open();
  EXPECT_EQ(m_frm->Cb_ConvMsiFiles->currentText().toStdString(), kPackage);
  EXPECT_EQ(m_msiFile, kPackage);
}

TEST_F(InstallerFileHistoryTest, AcceptingMovesEntriesDown) {
  QV_PACKAGE_OR_SKIP();
  const auto e = Earlier;
  const std::string a = kAbsent;
  const struct {
    const char* what;
    int storedCount;
    int packageAt;                   // -1: not stored yet
    std::vector<std::string> after;  // entries 0 to 12
  } cases[] = {
      {"known at 3", 6, 3, {kPackage, e(0), e(1), e(2), e(4), e(5), a, a, a, a, a, a, a}},
      {"known at 0", 6, 0, {kPackage, e(1), e(2), e(3), e(4), e(5), a, a, a, a, a, a, a}},
      {"new, history full",
       11,
       -1,
       {kPackage, e(0), e(1), e(2), e(3), e(4), e(5), e(6), e(7), e(8), e(9), a, ""}},
  };
  for (const auto& c : cases) {
    for (int n = 0; n <= 12; ++n) DelREGValue(kDefaultSettingsKey, "Converter" + std::to_string(n));
    for (int n = 0; n < c.storedCount; ++n) {
      SaveSettingStr("Converter" + std::to_string(n), n == c.packageAt ? kPackage : e(n));
    }
    LoadList();
    ASSERT_EQ(m_combo->count(), c.storedCount) << c.what;

    Type(m_combo, kPackage);
    EXPECT_EQ(StoredEntries(), c.after) << c.what;
    std::vector<std::string> shown(c.after.begin(),
                                   c.after.begin() + std::min(c.storedCount + 1, 11));
    if (c.packageAt >= 0) shown.pop_back();
    EXPECT_EQ(List(), shown) << c.what;
  }
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(InstallerFileHistoryTest, ListStopsAtAGap) {
  for (int n : {0, 1, 2, 3, 5, 6}) SaveSettingStr("Converter" + std::to_string(n), Earlier(n));
  EXPECT_EQ(LoadList(), Earlier(0));
  EXPECT_EQ(List(), (std::vector<std::string>{Earlier(0), Earlier(1), Earlier(2), Earlier(3)}));
  EXPECT_EQ(m_combo->currentText().toStdString(), Earlier(0));
  EXPECT_EQ(Stored(5), Earlier(5));  // hidden, not deleted
}

TEST_F(InstallerFileHistoryTest, StaleWhenEmptyOrTheTextIsAnotherFile) {
  EXPECT_TRUE(HistoryIsStale(*m_combo));
  SaveSettingStr("Converter0", "C:\\Packages\\App.msi");
  SaveSettingStr("Converter1", "C:\\Packages\\Other.msi");
  LoadList();
  const struct {
    const char* text;
    bool stale;
  } cases[] = {{"C:\\Packages\\App.msi", false},
               {"c:\\PACKAGES\\app.MSI", false},
               {"C:\\Packages\\Other.msi", true},
               {"", true}};
  for (const auto& c : cases) {
    m_combo->setEditText(c.text);
    EXPECT_EQ(HistoryIsStale(*m_combo), c.stale) << c.text;
  }
}

TEST_F(InstallerFileHistoryTest, DropDownValidatesOnlyAStaleList) {
  QV_PACKAGE_OR_SKIP();
  SaveSettingStr("Converter0", "C:\\Packages\\gone.msi");
  LoadList();
  m_combo->showPopup();  // not stale: the missing file is not checked
  m_combo->hidePopup();
  EXPECT_TRUE(m_ui->messages.empty());

  m_combo->setEditText(kPackage);
  m_combo->showPopup();
  m_combo->hidePopup();
  EXPECT_TRUE(m_ui->messages.empty());
  EXPECT_EQ(Stored(0), kPackage);
  EXPECT_EQ(List(), (std::vector<std::string>{kPackage, "C:\\Packages\\gone.msi"}));
}

TEST_F(InstallerFileHistoryTest, InvalidFileKeepsTheFocusAndStoresNothing) {
  Type(m_combo, "C:\\Packages\\missing.msi");
  ASSERT_EQ(m_ui->messages.size(), 1u);
  EXPECT_EQ(m_ui->messages[0].title, "Error");
  EXPECT_EQ(m_ui->messages[0].text, "C:\\Packages\\missing.msi is not a valid file.");
  EXPECT_EQ(QApplication::focusWidget(), m_combo);
  EXPECT_EQ(Stored(0), kAbsent);
  EXPECT_TRUE(List().empty());
}

using RecordTabTest = InstallerFileHistoryTest;

TEST_F(RecordTabTest, KeysBecomeQuotedFullPathsAndBack) {
  QV_FIXTURE_OR_SKIP(package, m_dir, "session");
  m_frm->Cb_ConvMsiFiles->setEditText(QString::fromStdString(package));
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
  m_frm->Cb_ConvMsiFiles->setEditText("C:\\Packages\\missing.msi");
  m_frm->T_Formatted->setPlainText("kept");
  Type(m_frm->T_Original, "[#MainExe]");
  EXPECT_EQ(m_ui->messages.size(), 1u);  // the package check says why
  EXPECT_EQ(Text(m_frm->T_Formatted), "kept");
  Type(m_frm->T_Original, "");  // an empty record is not checked at all
  EXPECT_EQ(m_ui->messages.size(), 1u);
}

}  // namespace
}  // namespace qv::test
