#include "converter/converter_frm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>

#include "app/settings.h"
#include "converter/converter_captions.h"
#include "converter/designed_placement.h"
#include "converter/focus_watcher.h"
#include "converter/qt_text.h"
#include "help/help_window.h"
#include "numbers/bit_lists.h"
#include "platform/ui/ui.h"
#include "services/bits.h"

namespace qv {

Converter_Frm::Converter_Frm(QWidget* parent) : QMainWindow(parent) {
  BuildWindow();
  WatchFocus();
  WatchRecordTab();
  // F1 opens the help at the tab on show, in SSTab1's order.
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this] {
    constexpr HelpTopic kTabTopics[] = {HelpTopic::kGuids, HelpTopic::kNumbers, HelpTopic::kRecords,
                                        HelpTopic::kFileNames};
    const int tab = SSTab1->currentIndex();
    ShowHelpWindow(this, tab >= 0 && tab < 4 ? kTabTopics[tab] : HelpTopic::kContents);
  });
}

Converter_Frm::~Converter_Frm() {
  // The controls outlive this part of the window and lose the focus as they go.
  for (FocusWatcher* watcher : m_watchers) watcher->Detach();
}

void Converter_Frm::WatchFocus() {
  for (int k = 0; k < 5; ++k) {
    auto index = static_cast<int16_t>(k);
    m_watchers.push_back(
        OnLostFocus(T_OrigValue[k], [this, index] { T_OrigValue_LostFocus(index); }));
    m_watchers.push_back(OnLostFocus(T_ConvVal[k], [this, index] { T_ConvVal_LostFocus(index); }));
    if (T_Bits[k]) {
      m_watchers.push_back(OnLostFocus(T_Bits[k], [this, index] { T_Bits_LostFocus(index); }));
    }
    if (T_BitsHex[k]) {
      m_watchers.push_back(
          OnLostFocus(T_BitsHex[k], [this, index] { T_BitsHex_LostFocus(index); }));
    }
  }
}

void Converter_Frm::Disp_Frm(QWidget* caller, std::string& msiFile, const std::string& value,
                             int16_t presetMode, std::string* result) {
  // Only the plain opening is used by this program; value and the preset modes served
  // callers that hand a value in.
  (void)value;
  (void)presetMode;
  m_caller = caller;
  m_unloaded = false;
  Label1->setText(QtText(kHelpText));

  m_compGuid = GetSettingStr("Converter_CompGUID");
  m_fileName = GetSettingStr("Converter_FileName");
  Values[0] = GetSettingDWord("Converter_Value0");
  Values[1] = GetSettingDWord("Converter_Value1");
  Values[2] = GetSettingDWord("Converter_Value2");
  Cb_ConvMsiFiles->setEditText(QString::fromStdString(GetSettingStr("ConvMsiFile")));
  msiFile = StdText(Cb_ConvMsiFiles->currentText());
  m_msiFile = msiFile;

  T_OrigValue[0]->setText(QString::fromStdString(m_compGuid));
  T_OrigValue[1]->setText(QString::fromStdString(m_fileName));
  T_OrigValue_LostFocus(1);

  T_OrigValue[2]->setText(QString::fromStdString(SignSlotDecimal(Values[0])));
  T_OrigValue[3]->setText(QString::fromStdString(SignSlotDecimal(Values[1])));
  T_OrigValue_LostFocus(0);
  T_OrigValue_LostFocus(2);
  T_OrigValue_LostFocus(3);

  for (int k = 2; k <= 4; ++k) Fr_BitsHex[k]->setTitle(QString::fromUtf8(kBitsHexOpenCaption));

  if (result) result->clear();
  // At its designed place every time; only the file selection window remembers its own.
  PlaceAtDesignedSize(this, kDesignedSize);
  show();
}

void Converter_Frm::Form_Unload() {
  if (m_unloaded) return;
  m_unloaded = true;
  SaveSettingStr("Converter_CompGUID", m_compGuid);
  SaveSettingStr("Converter_FileName", m_fileName);
  SaveSettingDWord("Converter_Value0", Values[0]);
  SaveSettingDWord("Converter_Value1", Values[1]);
  SaveSettingDWord("Converter_Value2", Values[2]);
  SaveSettingStr("ConvMsiFile", StdText(Cb_ConvMsiFiles->currentText()));
  if (m_caller &&
      m_caller->objectName().compare(QStringLiteral("Converter_Frm"), Qt::CaseInsensitive) == 0) {
    ui::EndProgram(0);
  }
}

void Converter_Frm::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void Converter_Frm::M_Exit_Click() {
  close();
}

void Converter_Frm::T_OrigValue_LostFocus(int16_t index) {
  if (index == 0) {
    GuidFieldLeft(false);
  } else if (index == 1) {
    FileNameFieldLeft(false);
  } else if (index >= 2 && index <= 4) {
    NumberFieldLeft(index, T_OrigValue[index], &LeadingNumberValue);
  }
}

void Converter_Frm::T_ConvVal_LostFocus(int16_t index) {
  if (index == 0) {
    GuidFieldLeft(true);
  } else if (index == 1) {
    FileNameFieldLeft(true);
  } else if (index >= 2 && index <= 4) {
    NumberFieldLeft(index, T_ConvVal[index], &HexToValue);
  }
}

}  // namespace qv
