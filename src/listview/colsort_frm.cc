#include "listview/colsort_frm.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "listview/report_list.h"
#include "listview/sort_keys.h"

namespace qv {
namespace {

// The entries of each Cb_Order, in this order.
const char* const kOrders[] = {"Not Used", "Standard Order", "< Always Ascending",
                               "> Always Descending"};
enum Order { kNotUsed = 0, kStandard = 1, kAscending = 2, kDescending = 3 };

QGroupBox* Frame(const QString& caption, QWidget* content, QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(content);
  return frame;
}

QComboBox* Combo(const QString& name) {
  auto* combo = new QComboBox;
  combo->setObjectName(name);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return combo;
}

}  // namespace

ColSort_Frm::ColSort_Frm(QWidget* parent) : QDialog(parent) {
  BuildWindow();
}

void ColSort_Frm::BuildWindow() {
  setObjectName(QStringLiteral("ColSort_Frm"));
  setWindowTitle(QStringLiteral("Column Sort Details"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);

  auto* menu = new QMenuBar(this);
  M_SaveExit = menu->addAction(QStringLiteral("Save and Exit"));
  M_SaveExit->setObjectName(QStringLiteral("M_SaveExit"));
  M_Cancel = menu->addAction(QStringLiteral("Cancel"));
  M_Cancel->setObjectName(QStringLiteral("M_Cancel"));
  connect(M_SaveExit, &QAction::triggered, this, [this] { M_SaveExit_Click(); });
  connect(M_Cancel, &QAction::triggered, this, [this] { M_Cancel_Click(); });
  layout->setMenuBar(menu);

  L_ListView = new QLabel;
  L_ListView->setObjectName(QStringLiteral("L_ListView"));
  layout->addWidget(Frame(QStringLiteral("ListView"), L_ListView, this));

  auto* keys = new QHBoxLayout;
  for (int k = 0; k < 3; ++k) {
    auto* key = new QGroupBox(QStringLiteral("Sort Key %1").arg(k + 1), this);
    key->setObjectName(QStringLiteral("Fr_SortKey_%1").arg(k));
    auto* keyLayout = new QVBoxLayout(key);
    Cb_Column[k] = Combo(QStringLiteral("Cb_Column_%1").arg(k));
    Fr_Column[k] = Frame(QStringLiteral("Column"), Cb_Column[k], key);
    Fr_Column[k]->setObjectName(QStringLiteral("Fr_Column_%1").arg(k));
    keyLayout->addWidget(Fr_Column[k]);
    Cb_Order[k] = Combo(QStringLiteral("Cb_Order_%1").arg(k));
    keyLayout->addWidget(Frame(QStringLiteral("Sort Order"), Cb_Order[k], key));
    connect(Cb_Order[k], &QComboBox::currentIndexChanged, this, [this, k] { Cb_Order_Click(k); });
    keys->addWidget(key);
  }
  layout->addLayout(keys);

  Cb_ColHeader = Combo(QStringLiteral("Cb_ColHeader"));
  layout->addWidget(Frame(QStringLiteral("Column Header"), Cb_ColHeader, this));
}

void ColSort_Frm::Disp_Frm(QWidget* caller, ReportList* listView, int32_t column) {
  m_caller = caller;
  m_listView = listView;
  m_column = column;
  const QString callerCaption = caller != nullptr ? caller->windowTitle() : QString();
  setWindowTitle(QStringLiteral("Column Sort Details for \"") + callerCaption +
                 QStringLiteral("\" Window "));
  L_ListView->setText(listView != nullptr ? listView->objectName() : QString());
  for (QComboBox* combo : {Cb_Column[0], Cb_Column[1], Cb_Column[2], Cb_ColHeader}) {
    combo->clear();
    const int32_t count = listView != nullptr ? listView->ColumnCount() : 0;
    for (int32_t i = 1; i <= count; ++i) {
      combo->addItem(QString::fromStdString(listView->ColumnText(i)));
    }
    combo->setCurrentIndex(-1);  // no column chosen until the Tag names one
  }
  for (QComboBox* combo : Cb_Order) {
    combo->clear();
    for (const char* order : kOrders) combo->addItem(QString::fromUtf8(order));
  }
  if (column >= 1 && column <= Cb_ColHeader->count()) Cb_ColHeader->setCurrentIndex(column - 1);
  LoadSDetails();
  exec();
}

void ColSort_Frm::LoadSDetails() {
  const std::string tag = m_listView != nullptr ? m_listView->ColumnTag(m_column) : "";
  Cb_Order[0]->setCurrentIndex(kStandard);
  for (int k = 1; k < 3; ++k) {
    Cb_Order[k]->setCurrentIndex(kNotUsed);
    Fr_Column[k]->setEnabled(false);
  }
  std::string rest = tag.size() >= 2 ? tag.substr(1) : "";
  const int32_t count = m_listView != nullptr ? m_listView->ColumnCount() : 0;
  // Key 1 is read even from nothing: an empty key is the column being edited.
  for (int k = 0; k < 3 && (k == 0 || !rest.empty()); ++k) {
    const size_t comma = rest.find(',');
    std::string key = rest.substr(0, comma);
    rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
    int order = kStandard;
    if (!key.empty() && (key[0] == '<' || key[0] == '>')) {
      order = key[0] == '<' ? kAscending : kDescending;
      key.erase(0, 1);
    }
    Cb_Order[k]->setCurrentIndex(order);
    Fr_Column[k]->setEnabled(true);
    const int64_t number = key.empty() ? m_column : WholeValue(key);
    Cb_Column[k]->setCurrentIndex(number >= 1 && number <= count ? static_cast<int>(number - 1)
                                                                 : -1);
  }
}

void ColSort_Frm::Cb_Order_Click(int k) {
  Fr_Column[k]->setEnabled(Cb_Order[k]->currentIndex() != kNotUsed);
}

void ColSort_Frm::M_SaveExit_Click() {
  const std::string tag = m_listView != nullptr ? m_listView->ColumnTag(m_column) : "";
  std::string text = tag.empty() ? "S" : tag.substr(0, 1);
  for (int k = 0; k < 3; ++k) {
    const int order = Cb_Order[k]->currentIndex();
    if (order == kNotUsed || order < 0) continue;
    if (order == kAscending) text += '<';
    if (order == kDescending) text += '>';
    if (Cb_Column[k]->currentIndex() >= 0) text += std::to_string(Cb_Column[k]->currentIndex() + 1);
    text += ',';
  }
  if (text.size() >= 3 && text.back() == ',') text.pop_back();
  if (m_listView != nullptr) m_listView->SetColumnTag(m_column, text);
  accept();
}

void ColSort_Frm::M_Cancel_Click() {
  reject();
}

}  // namespace qv
