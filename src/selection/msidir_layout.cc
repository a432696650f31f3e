// The file selection window's controls and how they follow the window's size (in twips, as
// the window was designed).

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "listview/report_list.h"
#include "listview/twips.h"
#include "selection/msidir_captions.h"
#include "selection/msidir_frm.h"

namespace qv {
namespace {

// The designed layout, in twips.
constexpr int kDesignedWidth = 12000;
constexpr int kDesignedHeight = 7800;
constexpr int kMargin = 120;
constexpr int kTopRowHeight = 1300;
constexpr int kBrowseFrameWidth = 2880;
constexpr int kDetailsTop = kTopRowHeight + 2 * kMargin;
constexpr int kSelfilesTop = 300;
constexpr int kSelfilesWidth = 7200;
constexpr int kSelfilesHeight = 400;
constexpr int kMsiDetailsTop = 840;
constexpr int kListTop = 300;
// What Form_Resize leaves below the frames.
constexpr int kBottomMargin = 500;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

void MsiDir_Frm::BuildWindow() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("MsiDir_Frm_client"));
  setCentralWidget(central);

  Fr_Drive = new QGroupBox(Text(kDriveCaption), central);
  Fr_Drive->setObjectName(QStringLiteral("Fr_Drive"));
  auto* driveLayout = new QVBoxLayout(Fr_Drive);
  T_Dirname = new QLineEdit(Fr_Drive);
  T_Dirname->setObjectName(QStringLiteral("T_Dirname"));
  driveLayout->addWidget(T_Dirname);

  Frame1 = new QGroupBox(Text(kBrowseForCaption), central);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  auto* browseLayout = new QVBoxLayout(Frame1);
  browseLayout->setSpacing(0);
  Cm_GetDir = new QPushButton(Text(kGetDirCaption), Frame1);
  Cm_GetDir->setObjectName(QStringLiteral("Cm_GetDir"));
  Cm_Commdlg = new QPushButton(Text(kCommdlgCaption), Frame1);
  Cm_Commdlg->setObjectName(QStringLiteral("Cm_Commdlg"));
  browseLayout->addWidget(Cm_GetDir);
  browseLayout->addWidget(Cm_Commdlg);

  Fr_Details = new QGroupBox(central);
  Fr_Details->setObjectName(QStringLiteral("Fr_Details"));
  Cm_Selfiles = new QPushButton(Text(kSelfilesCaption), Fr_Details);
  Cm_Selfiles->setObjectName(QStringLiteral("Cm_Selfiles"));
  Fr_MSIDetails = new QGroupBox(Fr_Details);
  Fr_MSIDetails->setObjectName(QStringLiteral("Fr_MSIDetails"));
  Lv_MSIFiles = new ReportList(Fr_MSIDetails);
  Lv_MSIFiles->setObjectName(QStringLiteral("Lv_MSIFiles"));

  // The menu bar holds the three commands themselves.
  M_Select = menuBar()->addAction(Text(kSelectCaption));
  M_Select->setObjectName(QStringLiteral("M_Select"));
  M_Exit = menuBar()->addAction(Text(kExitCaption));
  M_Exit->setObjectName(QStringLiteral("M_Exit"));
  M_Help = menuBar()->addAction(Text(kHelpCaption));
  M_Help->setObjectName(QStringLiteral("M_Help"));

  // The controls of the designed layout that do not follow the window's size.
  auto px = [this](int twips) { return TwipsToPixels(this, twips); };
  Cm_Selfiles->setGeometry(px(kMargin), px(kSelfilesTop), px(kSelfilesWidth), px(kSelfilesHeight));
  Fr_Details->move(px(kMargin), px(kDetailsTop));
  Fr_MSIDetails->move(px(kMargin), px(kMsiDetailsTop));
  Lv_MSIFiles->move(px(kMargin), px(kListTop));
  resize(px(kDesignedWidth), px(kDesignedHeight) + menuBar()->sizeHint().height());
  // The tab order of the design: the list's button first, so the window opens with the
  // focus there and the name box is validated only once the user has been in it.
  setTabOrder(Cm_Selfiles, Lv_MSIFiles);
  setTabOrder(Lv_MSIFiles, T_Dirname);
  setTabOrder(T_Dirname, Cm_GetDir);
  setTabOrder(Cm_GetDir, Cm_Commdlg);
}

void MsiDir_Frm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  Form_Resize();
}

void MsiDir_Frm::Form_Resize() {
  QWidget* client = centralWidget();
  if (client == nullptr) return;
  auto px = [this](int twips) { return TwipsToPixels(this, twips); };
  auto tw = [this](int pixels) { return PixelsToTwips(this, pixels); };
  const int width = tw(client->width());
  const int height = tw(client->height());
  // The name box and the browse buttons share the top row; the buttons keep to the right.
  const int browseLeft = std::max(width - kMargin - kBrowseFrameWidth, 2 * kMargin);
  Frame1->setGeometry(px(browseLeft), px(kMargin), px(kBrowseFrameWidth), px(kTopRowHeight));
  Fr_Drive->setGeometry(px(kMargin), px(kMargin), px(std::max(browseLeft - 2 * kMargin, 0)),
                        px(kTopRowHeight));

  // Each size follows from the one before it; the first that would be negative ends the
  // resize, as a window made smaller than its margins allow leaves the rest as it was.
  const int detailsLeft = tw(Fr_Details->x());
  const int detailsWidth = width - 2 * detailsLeft;
  if (detailsWidth < 0) return;
  Fr_Details->resize(px(detailsWidth), Fr_Details->height());
  const int msiLeft = tw(Fr_MSIDetails->x());
  const int msiWidth = detailsWidth - 2 * msiLeft;
  if (msiWidth < 0) return;
  Fr_MSIDetails->resize(px(msiWidth), Fr_MSIDetails->height());
  const int listLeft = tw(Lv_MSIFiles->x());
  const int listWidth = msiWidth - 2 * listLeft;
  if (listWidth < 0) return;
  Lv_MSIFiles->resize(px(listWidth), Lv_MSIFiles->height());
  const int detailsHeight = height - tw(Fr_Details->y()) - kBottomMargin;
  if (detailsHeight < 0) return;
  Fr_Details->resize(Fr_Details->width(), px(detailsHeight));
  const int msiHeight = detailsHeight - tw(Fr_MSIDetails->y()) - kBottomMargin;
  if (msiHeight < 0) return;
  Fr_MSIDetails->resize(Fr_MSIDetails->width(), px(msiHeight));
  const int listHeight = msiHeight - (tw(Lv_MSIFiles->y()) + 2);
  if (listHeight < 0) return;
  Lv_MSIFiles->resize(Lv_MSIFiles->width(), px(listHeight));
}

}  // namespace qv
