#include "converter/installer_file_history.h"

#include <QComboBox>

#include "app/settings.h"
#include "converter/qt_text.h"
#include "services/path_text.h"
#include "services/registry_functions.h"
#include "services/text_case.h"
#include "state/program_state.h"

namespace qv {
namespace {

constexpr int32_t kEntryBufferSize = 1000;

std::string EntryName(const std::string& prefix, int number) {
  return prefix + std::to_string(number);
}

// The number of entries the list shows: those up to the first missing or empty one, at most
// HistoryMax + 1.
int StoredEntryCount(const std::string& prefix) {
  int count = 0;
  while (count <= Program().HistoryMax && !GetSettingStr(EntryName(prefix, count)).empty()) {
    ++count;
  }
  return count;
}

}  // namespace

bool HistoryIsStale(const QComboBox& combo) {
  if (combo.count() == 0) return true;
  return !SameText(StdText(combo.currentText()), StdText(combo.itemText(0)));
}

void AddToHistory(QComboBox* combo, const std::string& prefix) {
  const std::string text = StdText(combo->currentText());
  // The stored history is the truth: the combo's list may not be loaded yet (it is filled
  // on the first drop-down after a restart), so the entries are counted where they are kept.
  const int count = StoredEntryCount(prefix);
  int found = -1;
  for (int i = 0; i < count; ++i) {
    if (SameText(GetSettingStr(EntryName(prefix, i)), text)) {
      found = i;
      break;
    }
  }
  // A known entry's old place is overwritten; a new one pushes one entry past the list.
  const int start = found >= 0 ? found - 1 : count;
  for (int k = start; k >= 0; --k) {
    SaveSettingStr(EntryName(prefix, k + 1), GetSettingStr(EntryName(prefix, k)));
  }
  SaveSettingStr(EntryName(prefix, 0), text);
  std::string first;
  LoadHistory(prefix, &first, combo);
}

void LoadHistory(const std::string& prefix, std::string* first, QComboBox* combo) {
  *first = GetSettingStr(EntryName(prefix, 0));
  combo->clear();
  for (int n = 0;; ++n) {
    const std::string name = EntryName(prefix, n);
    std::string buffer;
    const int32_t read = GetREGString(SettingsKeyPath(), name, &buffer, kEntryBufferSize);
    if (read <= 0 || buffer.empty() || buffer[0] == '\0') break;
    if (n > Program().HistoryMax) {
      DelREGValue(SettingsKeyPath(), name);
    } else {
      const std::string entry = TrimNul(buffer);
      if (!entry.empty()) combo->addItem(QString::fromStdString(entry));
    }
  }
  if (combo->count() > 0) {
    *first = StdText(combo->itemText(0));
    combo->setCurrentIndex(0);
    combo->setEditText(combo->itemText(0));
  }
}

}  // namespace qv
