// The Qt user interface: real message boxes, answered by clicking their buttons.

#include "converter/qt_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace qv {
namespace {

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
  QtUi qtUi;
  for (const auto& c : cases) {
    // Once the box is up: what it shows, then a click on the button.
    QTimer::singleShot(0, [&c] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle(), "Msi Access Error");
      EXPECT_EQ(box->text(), "First line\nSecond <b>line</b>");
      EXPECT_EQ(box->standardButtons(), c.shown);
      box->button(c.click)->click();
    });
    EXPECT_EQ(qtUi.ShowMessage("First line\rSecond <b>line</b>", "Msi Access Error", c.buttons),
              c.answer);
  }
}

}  // namespace
}  // namespace qv
