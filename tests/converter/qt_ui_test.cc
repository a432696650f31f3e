// The Qt user interface: real message boxes, answered by clicking their buttons, and the
// wait cursor.

#include "converter/qt_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons;
};

// Shows a message through QtUi; once the box is up, records it and clicks the given button.
ui::Answer ShowAndClick(const std::string& text, const std::string& title, ui::Buttons buttons,
                        QMessageBox::StandardButton click, SeenBox* seen) {
  QTimer::singleShot(0, [click, seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    *seen = {box->windowTitle(), box->text(), box->standardButtons()};
    box->button(click)->click();
  });
  QtUi qtUi;
  return qtUi.ShowMessage(text, title, buttons);
}

TEST(QtUiTest, ShowsTitleTextAndButtonsAndReturnsTheAnswer) {
  const struct {
    ui::Buttons buttons;
    QMessageBox::StandardButtons shown;
    QMessageBox::StandardButton click;
    ui::Answer answer;
  } cases[] = {
      // clang-format off
      {ui::Buttons::kOk, QMessageBox::Ok, QMessageBox::Ok, ui::Answer::kOk},
      {ui::Buttons::kOkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
       ui::Answer::kCancel},
      {ui::Buttons::kYesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, ui::Answer::kYes},
      {ui::Buttons::kYesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
       QMessageBox::No, ui::Answer::kNo},
      // clang-format on
  };
  for (const auto& c : cases) {
    SeenBox seen;
    EXPECT_EQ(ShowAndClick("First line\rSecond <b>line</b>", "Msi Access Error", c.buttons, c.click,
                           &seen),
              c.answer);
    EXPECT_EQ(seen.title, "Msi Access Error");
    EXPECT_EQ(seen.text, "First line\nSecond <b>line</b>");
    EXPECT_EQ(seen.buttons, c.shown);
  }
}

TEST(QtUiTest, BusyShowsTheWaitCursorUntilRestored) {
  QtUi qtUi;
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  qtUi.SetBusy(true);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  qtUi.SetBusy(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtUiTest, EndingWithCodeZeroLeavesTheEventLoop) {
  QtUi qtUi;
  QEventLoop loop;
  QTimer::singleShot(0, [&] { qtUi.EndProgram(0); });
  QTimer::singleShot(5000, [&] { loop.exit(99); });
  EXPECT_EQ(loop.exec(), 0);
}

}  // namespace
}  // namespace qv
