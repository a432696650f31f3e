// The "Decode Formatted MSI Records" tab: a record with bracketed keys and the same record
// with full paths, translated against the installer file chosen in the combo box.

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "converter/converter_frm.h"
#include "converter/focus_watcher.h"
#include "converter/history_combo.h"
#include "converter/installer_file_history.h"
#include "converter/qt_text.h"
#include "msidb/database_open.h"
#include "paths/record_translation.h"
#include "platform/machine/machine.h"
#include "selection/msidir_frm.h"
#include "state/open_database_scope.h"

namespace qv {
namespace {

constexpr const char* kHistoryPrefix = "Converter";

}  // namespace

void Converter_Frm::WatchRecordTab() {
  m_watchers.push_back(OnLostFocus(T_Original, [this] { T_Original_LostFocus(); }));
  m_watchers.push_back(OnLostFocus(T_Formatted, [this] { T_Formatted_LostFocus(); }));
  m_watchers.push_back(OnLostFocus(Cb_ConvMsiFiles, [this] {
    bool cancel = false;
    Cb_ConvMsiFiles_Validate(&cancel);
    if (!cancel) return;
    // The focus has already moved on; it goes back once this focus change is over.
    QComboBox* combo = Cb_ConvMsiFiles;
    QTimer::singleShot(0, combo, [combo] { combo->setFocus(Qt::OtherFocusReason); });
  }));
  // Tab leaves a record field, as it leaves every other field; records hold no tabs.
  T_Original->setTabChangesFocus(true);
  T_Formatted->setTabChangesFocus(true);
  // BuildRecordTab makes the combo a HistoryCombo.
  static_cast<HistoryCombo*>(Cb_ConvMsiFiles)->OnDropDown([this] { Cb_ConvMsiFiles_DropDown(); });
}

void Converter_Frm::T_Original_LostFocus() {
  const std::string original = StdText(T_Original->toPlainText());
  if (original.empty()) return;
  DecodedRecord decoded = DecodeRecord(StdText(Cb_ConvMsiFiles->currentText()), original);
  if (decoded.outcome != DecodeOutcome::kDecoded) return;
  std::string& formatted = decoded.text;
  if (formatted.empty() || formatted[0] != '"') formatted = "\"" + formatted + "\"";
  T_Formatted->setPlainText(QString::fromStdString(formatted));
}

void Converter_Frm::T_Formatted_LostFocus() {
  m_msiFile = StdText(Cb_ConvMsiFiles->currentText());
  const std::string formatted = StdText(T_Formatted->toPlainText());
  bool translated = false;
  const std::string original = EncodeRecord(m_msiFile, formatted, &translated);
  // Without a package to translate against, the record the user has is not overwritten.
  if (translated) T_Original->setPlainText(QString::fromStdString(original));
}

void Converter_Frm::Cb_ConvMsiFiles_DropDown() {
  if (!HistoryIsStale(*Cb_ConvMsiFiles)) return;
  bool cancel = false;
  Cb_ConvMsiFiles_Validate(&cancel);
}

void Converter_Frm::Cb_ConvMsiFiles_Validate(bool* cancel) {
  std::string text = StdText(Cb_ConvMsiFiles->currentText());
  text.erase(text.find_last_not_of(' ') + 1);
  // A host path is kept in the Windows form the rest of the program uses, so one file has one
  // history entry however it was typed.
  if (!text.empty() && text[0] == '/') text = WindowsFormOfHostPath(CurrentMachine(), text);
  Cb_ConvMsiFiles->setEditText(QString::fromStdString(text));
  if (text.empty()) return;
  OpenDatabaseScope release;  // the package is checked with nothing open
  if (!IsValidPackage(text, true)) {
    *cancel = true;
    return;
  }
  m_msiFile = text;
  AddToHistory(Cb_ConvMsiFiles, kHistoryPrefix);
  Cb_ConvMsiFiles->setEditText(QString::fromStdString(text));
}

void Converter_Frm::Cm_BMsiFile_Click() {
  // A pointer other than the default says a selection is already under way.
  if (cursor().shape() != Qt::ArrowCursor) return;
  setCursor(Qt::WaitCursor);
  // The window closes and deletes itself; closing gives this window its pointer back.
  auto* selection = new MsiDir_Frm(this);
  selection->Disp_Frm(this, ".Msi", "", -1, "", -1, [this](const std::string& path) {
    Cb_ConvMsiFiles->setEditText(QString::fromStdString(path));
    bool cancel = false;
    Cb_ConvMsiFiles_Validate(&cancel);
  });
}

}  // namespace qv
