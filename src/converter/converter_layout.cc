// Builds the converter's controls: the four tabs, their frames and fields, the help text and
// the "Return" menu item.

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "converter/converter_captions.h"
#include "converter/converter_frm.h"
#include "converter/history_combo.h"

namespace qv {
namespace {

QString Indexed(const char* name, int index) {
  return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

// A frame holding one control.
QGroupBox* Frame(const char* caption, QWidget* control, QWidget* parent) {
  auto* frame = new QGroupBox(QString::fromUtf8(caption), parent);
  auto* layout = new QVBoxLayout(frame);
  control->setParent(frame);
  layout->addWidget(control);
  // A caption wider than the window is cut rather than widening the tab beyond it.
  frame->setMinimumWidth(layout->minimumSize().width());
  return frame;
}

// A tab's page in a scroll area, so that a window smaller than the page scrolls it rather
// than squeezing its fields below their size.
QScrollArea* Scrolling(QWidget* page) {
  auto* area = new QScrollArea;
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidget(page);
  return area;
}

QLineEdit* Field(const QString& name) {
  auto* field = new QLineEdit;
  field->setObjectName(name);
  return field;
}

}  // namespace

void Converter_Frm::BuildWindow() {
  setObjectName(QStringLiteral("Converter_Frm"));
  setWindowTitle(QString::fromUtf8(kWindowCaption));

  M_Exit = menuBar()->addAction(QString::fromUtf8(kExitCaption));
  M_Exit->setObjectName(QStringLiteral("M_Exit"));
  connect(M_Exit, &QAction::triggered, this, [this] { M_Exit_Click(); });

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  SSTab1 = new QTabWidget(central);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  SSTab1->addTab(Scrolling(BuildGuidTab()), QString::fromUtf8(kTabCaptions[0]));
  SSTab1->addTab(Scrolling(BuildNumericTab()), QString::fromUtf8(kTabCaptions[1]));
  SSTab1->addTab(Scrolling(BuildRecordTab()), QString::fromUtf8(kTabCaptions[2]));
  SSTab1->addTab(Scrolling(BuildFileNameTab()), QString::fromUtf8(kTabCaptions[3]));
  layout->addWidget(SSTab1);
  Label1 = new QLabel(central);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  layout->addWidget(Label1);
  setCentralWidget(central);
}

QWidget* Converter_Frm::BuildGuidTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  auto* group = new QGroupBox(QString::fromUtf8(kGroupCaptions[0]), tab);
  auto* inner = new QVBoxLayout(group);
  T_OrigValue[0] = Field(Indexed("T_OrigValue", 0));
  T_ConvVal[0] = Field(Indexed("T_ConvVal", 0));
  inner->addWidget(Frame(kStandardGuidCaption, T_OrigValue[0], group));
  inner->addWidget(Frame(kPackedGuidCaption, T_ConvVal[0], group));
  L_GUIDDetails = new QLabel;
  L_GUIDDetails->setObjectName(QStringLiteral("L_GUIDDetails"));
  L_GUIDDetails->setWordWrap(true);
  L_GUIDDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);
  inner->addWidget(Frame(kGuidDetailsCaption, L_GUIDDetails, group));
  layout->addWidget(group);
  layout->addStretch();
  return tab;
}

QGroupBox* Converter_Frm::BuildNumericGroup(int index, const QString& caption) {
  auto* group = new QGroupBox(caption);
  group->setObjectName(Indexed("Fr_Numeric", index));
  auto* grid = new QGridLayout(group);
  T_OrigValue[index] = Field(Indexed("T_OrigValue", index));
  T_ConvVal[index] = Field(Indexed("T_ConvVal", index));
  T_Bits[index] = Field(Indexed("T_Bits", index));
  T_BitsHex[index] = Field(Indexed("T_BitsHex", index));
  grid->addWidget(Frame(kOriginalValueCaption, T_OrigValue[index], group), 0, 0);
  grid->addWidget(Frame(kValueInHexCaption, T_ConvVal[index], group), 0, 1);
  Fr_Bits[index] = Frame(kBitsCaption, T_Bits[index], group);
  Fr_Bits[index]->setObjectName(Indexed("Fr_Bits", index));
  Fr_BitsHex[index] = Frame(kBitsHexCaption, T_BitsHex[index], group);
  Fr_BitsHex[index]->setObjectName(Indexed("Fr_BitsHex", index));
  grid->addWidget(Fr_Bits[index], 1, 0, 1, 2);
  grid->addWidget(Fr_BitsHex[index], 2, 0, 1, 2);
  return group;
}

QWidget* Converter_Frm::BuildNumericTab() {
  auto* tab = new QWidget;
  auto* layout = new QHBoxLayout(tab);
  auto* values = new QVBoxLayout;
  for (int k = 2; k <= 4; ++k) {
    QGroupBox* group = BuildNumericGroup(k, QString::fromUtf8(kGroupCaptions[k]));
    group->setParent(tab);
    values->addWidget(group);
  }
  layout->addLayout(values, 1);

  auto* operators = new QGroupBox(tab);
  operators->setObjectName(QStringLiteral("Fr_Operator"));
  auto* column = new QVBoxLayout(operators);
  for (int i = 0; i < kOperatorCount; ++i) {
    Op_Operator[i] = new QRadioButton(QString::fromUtf8(kOperatorCaptions[i]), operators);
    Op_Operator[i]->setObjectName(Indexed("Op_Operator", i));
    column->addWidget(Op_Operator[i]);
  }
  column->addStretch();
  // "Add" is chosen when the window opens, so the result group shows a result at once.
  Op_Operator[0]->setChecked(true);
  for (int i = 0; i < kOperatorCount; ++i) {
    connect(Op_Operator[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) Op_Operator_Click(static_cast<int16_t>(i));
    });
  }
  layout->addWidget(operators);
  return tab;
}

QWidget* Converter_Frm::BuildRecordTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);

  auto* fileFrame = new QGroupBox(QString::fromUtf8(kMsiFileCaption), tab);
  auto* fileRow = new QHBoxLayout(fileFrame);
  Cb_ConvMsiFiles = new HistoryCombo(fileFrame);
  Cb_ConvMsiFiles->setObjectName(QStringLiteral("Cb_ConvMsiFiles"));
  fileRow->addWidget(Cb_ConvMsiFiles, 1);
  Cm_BMsiFile = new QPushButton(QString::fromUtf8(kBrowseCaption), fileFrame);
  Cm_BMsiFile->setObjectName(QStringLiteral("Cm_BMsiFile"));
  connect(Cm_BMsiFile, &QPushButton::clicked, this, [this] { Cm_BMsiFile_Click(); });
  fileRow->addWidget(Cm_BMsiFile);
  layout->addWidget(fileFrame);

  T_Original = new QPlainTextEdit;
  T_Original->setObjectName(QStringLiteral("T_Original"));
  layout->addWidget(Frame(kOriginalRecordCaption, T_Original, tab));
  T_Formatted = new QPlainTextEdit;
  T_Formatted->setObjectName(QStringLiteral("T_Formatted"));
  layout->addWidget(Frame(kFormattedRecordCaption, T_Formatted, tab));
  return tab;
}

QWidget* Converter_Frm::BuildFileNameTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  auto* group = new QGroupBox(QString::fromUtf8(kGroupCaptions[1]), tab);
  auto* inner = new QVBoxLayout(group);
  T_OrigValue[1] = Field(Indexed("T_OrigValue", 1));
  T_ConvVal[1] = Field(Indexed("T_ConvVal", 1));
  inner->addWidget(Frame(kLongFileNameCaption, T_OrigValue[1], group));
  inner->addWidget(Frame(kShortFileNameCaption, T_ConvVal[1], group));
  layout->addWidget(group);
  layout->addStretch();
  return tab;
}

}  // namespace qv
