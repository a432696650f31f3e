#include "converter/qt_ui.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QMessageBox>

#include "converter/qt_text.h"

namespace qv {
namespace {

QMessageBox::StandardButtons ButtonsOf(ui::Buttons buttons) {
  switch (buttons) {
    case ui::Buttons::kOk:
      return QMessageBox::Ok;
    case ui::Buttons::kOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case ui::Buttons::kYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case ui::Buttons::kYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

ui::Answer AnswerOf(int button, ui::Buttons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return ui::Answer::kOk;
    case QMessageBox::Yes:
      return ui::Answer::kYes;
    case QMessageBox::No:
      return ui::Answer::kNo;
    case QMessageBox::Cancel:
      return ui::Answer::kCancel;
  }
  // The box was closed without a button (Escape, close box): as Windows answers then.
  if (buttons == ui::Buttons::kOk) return ui::Answer::kOk;
  return buttons == ui::Buttons::kYesNo ? ui::Answer::kNo : ui::Answer::kCancel;
}

}  // namespace

ui::Answer QtUi::ShowMessage(const std::string& text, const std::string& title,
                             ui::Buttons buttons) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QtText(text),
                  ButtonsOf(buttons), QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  return AnswerOf(box.exec(), buttons);
}

void QtUi::EndProgram(int exitCode) {
  if (exitCode == 0) {
    QCoreApplication::exit(0);
    return;
  }
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

void QtUi::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace qv
