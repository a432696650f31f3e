// The installer-file history behind a combo box: the stored entries "Converter0".. and the
// list shown.

#include "converter/installer_file_history.h"

#include <QComboBox>

#include <sstream>

#include <gtest/gtest.h>

#include "app/settings.h"
#include "services/data_rows.h"
#include "services/registry_functions.h"
#include "support/fresh_program_state.h"
#include "support/test_machine.h"

namespace qv::test {
namespace {

using Entries = std::vector<std::string>;
constexpr const char* kAbsent = "<absent>";
constexpr const char* kPackage = "C:\\Packages\\App.msi";

std::string Earlier(int n) {
  return "C:\\Earlier\\p" + std::to_string(n) + ".msi";
}

class InstallerFileHistoryTest : public ::testing::Test {
 protected:
  InstallerFileHistoryTest() { m_combo.setEditable(true); }
  // Entries 0 to 12 as stored.
  static Entries Stored() {
    Entries entries;
    for (int n = 0; n <= 12; ++n) {
      std::string value;
      const bool read =
          GetREGString(SettingsKeyPath(), "Converter" + std::to_string(n), &value, 1000) > 0;
      entries.push_back(read ? value : kAbsent);
    }
    return entries;
  }
  Entries List() const {
    Entries items;
    for (int i = 0; i < m_combo.count(); ++i) items.push_back(m_combo.itemText(i).toStdString());
    return items;
  }
  std::string Load() {
    std::string first = "unset";
    LoadHistory("Converter", &first, &m_combo);
    return first;
  }

  FreshProgramState m_fresh;
  ScopedTestMachine m_machine;
  QComboBox m_combo;
};

TEST_F(InstallerFileHistoryTest, AcceptingMovesEntriesDown) {
  auto entry = [](const std::string& code) -> std::string {
    if (code == "P") return kPackage;
    if (code == "O") return "c:\\packages\\APP.MSI";
    if (code == "-") return kAbsent;
    return code == "." ? "" : Earlier(std::stoi(code.substr(1)));
  };
  for (const DataRow& row : DataRows("converter/history.tsv")) {
    SCOPED_TRACE(row[0]);
    const int storedCount = Int(row[1]), packageAt = Int(row[2]);
    const bool loaded = row[3] == "1";
    for (int n = 0; n <= 12; ++n) DelREGValue(kDefaultSettingsKey, "Converter" + std::to_string(n));
    for (int n = 0; n < storedCount; ++n) {
      SaveSettingStr("Converter" + std::to_string(n), n == packageAt ? kPackage : Earlier(n));
    }
    m_combo.clear();
    if (loaded) Load();
    ASSERT_EQ(m_combo.count(), loaded ? storedCount : 0);
    m_combo.setEditText(QString::fromStdString(entry(row[4])));
    AddToHistory(&m_combo, "Converter");
    Entries after;
    std::istringstream codes(row[5]);
    for (std::string code; codes >> code;) after.push_back(entry(code));
    EXPECT_EQ(Stored(), after);
    // The reload deletes entry 11 and stops at the first empty entry.
    Entries shown(after.begin(), after.begin() + std::min(storedCount + 1, 11));
    if (packageAt >= 0) shown.pop_back();
    EXPECT_EQ(List(), shown);
    EXPECT_EQ(m_combo.currentText().toStdString(), entry(row[4]));
  }
}

TEST_F(InstallerFileHistoryTest, ListStopsAtAGap) {
  for (int n : {0, 1, 2, 3, 5, 6}) SaveSettingStr("Converter" + std::to_string(n), Earlier(n));
  EXPECT_EQ(Load(), Earlier(0));
  EXPECT_EQ(List(), (Entries{Earlier(0), Earlier(1), Earlier(2), Earlier(3)}));
  EXPECT_EQ(m_combo.currentText().toStdString(), Earlier(0));
  EXPECT_EQ(Stored()[5], Earlier(5));  // hidden, not deleted
}

TEST_F(InstallerFileHistoryTest, AnEmptyHistoryKeepsTheTypedText) {
  m_combo.setEditText(kPackage);
  EXPECT_EQ(Load(), "");
  EXPECT_EQ(m_combo.currentText().toStdString(), kPackage);
}

TEST_F(InstallerFileHistoryTest, StaleWhenEmptyOrTheTextIsAnotherFile) {
  EXPECT_TRUE(HistoryIsStale(m_combo));
  SaveSettingStr("Converter0", kPackage);
  SaveSettingStr("Converter1", "C:\\Packages\\Other.msi");
  Load();
  const std::pair<const char*, bool> cases[] = {{kPackage, false},
                                                {"c:\\PACKAGES\\app.MSI", false},
                                                {"C:\\Packages\\Other.msi", true},
                                                {"", true}};
  for (const auto& [text, stale] : cases) {
    m_combo.setEditText(text);
    EXPECT_EQ(HistoryIsStale(m_combo), stale) << text;
  }
}

}  // namespace
}  // namespace qv::test
