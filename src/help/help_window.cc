#include "help/help_window.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace qv {
namespace {

constexpr const char* kHelpWindowName = "Help_Frm";
constexpr const char* kHelpTitle = "QuorvexConverter Help";
// The help text as built into the program (data/help/quorvex-help.html).
constexpr const char* kHelpSource = "qrc:/help/quorvex-help.html";

// The window that keeps the help open: the top of parent's chain of windows, so help opened
// from a passing window stays when that window closes.
QWidget* OwnerOf(QWidget* parent) {
  QWidget* owner = parent != nullptr ? parent->window() : nullptr;
  while (owner != nullptr && owner->parentWidget() != nullptr) {
    owner = owner->parentWidget()->window();
  }
  return owner;
}

QWidget* OpenHelpWindow() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String(kHelpWindowName)) return window;
  }
  return nullptr;
}

// The help text at topic's anchor.
QUrl HelpUrl(HelpTopic topic) {
  QUrl url(QString::fromUtf8(kHelpSource));
  url.setFragment(QString::fromUtf8(HelpAnchor(topic)));
  return url;
}

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

// Builds the help window: the text browser with Contents, Back, Forward and Close buttons.
QWidget* NewHelpWindow(QWidget* owner) {
  auto* window = new QWidget(owner, Qt::Window);
  window->setObjectName(QLatin1String(kHelpWindowName));
  window->setWindowTitle(QString::fromUtf8(kHelpTitle));
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->resize(760, 640);

  auto* browser = new QTextBrowser(window);
  browser->setObjectName(QStringLiteral("T_Help"));
  browser->setOpenExternalLinks(true);

  auto* buttons = new QHBoxLayout;
  QPushButton* contents = Button("Contents", "Cm_Contents", window);
  QPushButton* back = Button("Back", "Cm_Back", window);
  QPushButton* forward = Button("Forward", "Cm_Forward", window);
  QPushButton* close = Button("Close", "Cm_Close", window);
  back->setEnabled(false);
  forward->setEnabled(false);
  buttons->addWidget(contents);
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addStretch();
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(window);
  layout->addLayout(buttons);
  layout->addWidget(browser);

  QObject::connect(contents, &QPushButton::clicked, browser,
                   [browser] { browser->setSource(HelpUrl(HelpTopic::kContents)); });
  QObject::connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
  QObject::connect(forward, &QPushButton::clicked, browser, &QTextBrowser::forward);
  QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
  QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);

  return window;
}

}  // namespace

const char* HelpAnchor(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::kContents:
      return "contents";
    case HelpTopic::kGuids:
      return "guids";
    case HelpTopic::kNumbers:
      return "numbers";
    case HelpTopic::kRecords:
      return "records";
    case HelpTopic::kFileNames:
      return "filenames";
    case HelpTopic::kSelection:
      return "selection";
    case HelpTopic::kMachines:
      return "machines";
    case HelpTopic::kSettings:
      return "settings";
  }
  return "contents";
}

void ShowHelpWindow(QWidget* parent, HelpTopic topic) {
  QWidget* window = OpenHelpWindow();
  if (window == nullptr) window = NewHelpWindow(OwnerOf(parent));
  auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("T_Help"));
  browser->setSource(HelpUrl(topic));
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace qv
