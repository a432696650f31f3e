// The installer-file history behind a combo box: the stored entries "Converter0".. and the
// list shown.

#include "converter/installer_file_history.h"

#include "app/settings.h"
#include "converter_fixture.h"
#include "services/registry_functions.h"

namespace qv::test {
namespace {

using Entries = std::vector<std::string>;
constexpr const char* kPackage = "C:\\Packages\\App.msi";

std::string Earlier(int n) {
  return "C:\\Earlier\\p" + std::to_string(n) + ".msi";
}

class InstallerFileHistoryTest : public ::testing::Test {
 protected:
  InstallerFileHistoryTest() { m_combo.setEditable(true); }
  // Entries 0 to 12 as stored ("" when absent).
  static Entries Stored() {
    Entries entries;
    for (int n = 0; n <= 12; ++n) entries.push_back(GetSettingStr("Converter" + std::to_string(n)));
    return entries;
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

// Loading lists the entries up to a gap and keeps the typed text when there are none;
// accepting moves the entries down.
TEST_F(InstallerFileHistoryTest, LoadsUpToAGapAndAcceptingMovesEntriesDown) {
  m_combo.setEditText(kPackage);
  EXPECT_EQ(Load(), "");
  EXPECT_EQ(m_combo.currentText().toStdString(), kPackage);

  for (int n : {0, 1, 2, 3, 5, 6}) SaveSettingStr("Converter" + std::to_string(n), Earlier(n));
  EXPECT_EQ(Load(), Earlier(0));
  EXPECT_EQ(ComboItems(m_combo), (Entries{Earlier(0), Earlier(1), Earlier(2), Earlier(3)}));
  EXPECT_EQ(m_combo.currentText().toStdString(), Earlier(0));
  EXPECT_EQ(Stored()[5], Earlier(5));  // hidden, not deleted

  const auto e = Earlier;
  const std::string a;                                // absent
  const std::string other = "c:\\packages\\APP.MSI";  // kPackage in another case
  const struct {
    const char* what;
    int storedCount;
    int packageAt;  // -1: not stored yet
    bool loaded;    // after a restart the list is filled only on the first drop-down
    std::string accepted;
    Entries after;  // entries 0 to 12
  } cases[] = {
      // clang-format off
      {"known at 0", 6, 0, true, kPackage,
       {kPackage, e(1), e(2), e(3), e(4), e(5), a, a, a, a, a, a, a}},
      {"new, history full", 11, -1, true, kPackage,
       {kPackage, e(0), e(1), e(2), e(3), e(4), e(5), e(6), e(7), e(8), e(9), a, ""}},
      // The stored entries count, not the list.
      {"known at 1 in another case, list not loaded", 3, 1, false, other,
       {other, e(0), e(2), a, a, a, a, a, a, a, a, a, a}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (int n = 0; n <= 12; ++n) DelREGValue(kDefaultSettingsKey, "Converter" + std::to_string(n));
    for (int n = 0; n < c.storedCount; ++n) {
      SaveSettingStr("Converter" + std::to_string(n), n == c.packageAt ? kPackage : e(n));
    }
    m_combo.clear();
    if (c.loaded) Load();
    m_combo.setEditText(QString::fromStdString(c.accepted));
    AddToHistory(&m_combo, "Converter");
    EXPECT_EQ(Stored(), c.after);
    EXPECT_EQ(m_combo.currentText().toStdString(), c.accepted);
  }
}

}  // namespace
}  // namespace qv::test
