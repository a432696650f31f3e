#include "listview/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "services/registry_functions.h"
#include "support/test_machine.h"

namespace qv::test {
namespace {

constexpr char kKey[] = "Dunar\\Quorvex\\Display\\MsiDir_Frm";

class WindowGeometryTest : public ::testing::Test {
 protected:
  /// A window as designed: at 60, 40 and 300 by 200 pixels, shown.
  std::unique_ptr<QWidget> Designed() {
    auto window = std::make_unique<QWidget>();
    window->setObjectName("MsiDir_Frm");
    window->setGeometry(60, 40, 300, 200);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }
  ScopedTestMachine m_machine;
};

TEST_F(WindowGeometryTest, StoresTheFrameInTwipsAndRestoresItOnAScreen) {
  auto window = Designed();
  window->setGeometry(100, 80, 400, 300);
  const QRect frame = window->frameGeometry();
  SaveWindowLayout(window.get());
  int32_t left = 0, height = 0;
  EXPECT_GT(GetREGDWord(kKey, "Left", &left), 0);
  EXPECT_GT(GetREGDWord(kKey, "Height", &height), 0);
  EXPECT_EQ(std::make_pair(left, height), std::make_pair(frame.x() * 15, frame.height() * 15));
  auto reopened = Designed();
  LoadWindowLayout(reopened.get());
  EXPECT_EQ(reopened->frameGeometry(), frame);

  // Left where no screen is any more: moved onto the primary screen, size kept.
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  SaveREGString(kKey, "Left", screen.right() * 15 + 15000, 4, 4);
  auto moved = Designed();
  LoadWindowLayout(moved.get());
  EXPECT_EQ(moved->frameGeometry(),
            QRect(screen.right() + 1 - frame.width(), frame.y(), frame.width(), frame.height()));
}

}  // namespace
}  // namespace qv::test
