// The LostFocus hook: which focus changes run the handler.

#include "converter/focus_watcher.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FocusWatcherTest, RunsOnlyWhenTheFocusMovesInsideTheWindow) {
  const std::pair<Qt::FocusReason, int> cases[] = {
      {Qt::MouseFocusReason, 1}, {Qt::ActiveWindowFocusReason, 0}, {Qt::PopupFocusReason, 0}};
  for (const auto& [reason, runs] : cases) {
    QLineEdit field;
    int count = 0;
    OnLostFocus(&field, [&count] { ++count; });
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(&field, &out);
    QFocusEvent in(QEvent::FocusIn, reason);
    QApplication::sendEvent(&field, &in);
    EXPECT_EQ(count, runs) << reason;
  }
}

}  // namespace
}  // namespace qv
