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
  static void Store(int32_t left, int32_t top, int32_t height, int32_t width) {
    SaveREGString(kKey, "Left", left, 4, 4);
    SaveREGString(kKey, "Top", top, 4, 4);
    SaveREGString(kKey, "Height", height, 4, 4);
    SaveREGString(kKey, "Width", width, 4, 4);
  }
  static int32_t Stored(const char* name) {
    int32_t value = 0;
    EXPECT_GT(GetREGDWord(kKey, name, &value), 0) << name;
    return value;
  }
  static QRect Frame(const QWidget& window) { return window.frameGeometry(); }

  ScopedTestMachine m_machine;
};

TEST_F(WindowGeometryTest, StoresTheFrameInTwipsAndRestoresIt) {
  auto window = Designed();
  window->setGeometry(100, 80, 400, 300);
  const QRect frame = Frame(*window);
  SaveWindowLayout(window.get());
  EXPECT_EQ(Stored("Left"), frame.x() * 15);
  EXPECT_EQ(Stored("Top"), frame.y() * 15);
  EXPECT_EQ(Stored("Width"), frame.width() * 15);
  EXPECT_EQ(Stored("Height"), frame.height() * 15);

  auto reopened = Designed();
  LoadWindowLayout(reopened.get());
  EXPECT_EQ(Frame(*reopened), frame);

  // Closed while minimised: Qt reports where the window will come back.
  reopened->showMinimized();
  QApplication::processEvents();
  SaveWindowLayout(reopened.get());
  auto third = Designed();
  LoadWindowLayout(third.get());
  EXPECT_EQ(Frame(*third), frame);
}

TEST_F(WindowGeometryTest, AppliesOnlyPositiveValuesAndKeepsTheWindowOnAScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  struct Case {
    int32_t left, top, height, width;
    QRect frame;
  };
  // The stored-value rules themselves are tested without windows; here the pixels they
  // turn into.
  const Case cases[] = {
      {3000, 1500, 4500, 6000, QRect(200, 100, 400, 300)},
      // Left where no screen is any more: moved onto the primary screen, size kept.
      {screen.right() * 15 + 15000, 1500, 4500, 6000,
       QRect(screen.right() + 1 - 400, 100, 400, 300)},
  };
  for (const Case& c : cases) {
    Store(c.left, c.top, c.height, c.width);
    auto window = Designed();
    LoadWindowLayout(window.get());
    EXPECT_EQ(Frame(*window), c.frame) << c.left;
  }
  EXPECT_EQ(Stored("Left"), screen.right() * 15 + 15000) << "the stored values stay";
}

}  // namespace
}  // namespace qv::test
