// Where the converter opens: at its designed size where the screen allows.

#include <QGuiApplication>
#include <QScreen>

#include "converter/designed_placement.h"
#include "converter_fixture.h"

namespace qv::test {
namespace {

TEST(DesignedPlacementTest, OpensAtTheDesignedSizeWhereTheScreenAllows) {
  const QSize designed(960, 680);
  const std::pair<QRect, QRect> cases[] = {
      // available area, window
      // 1366x768 less a 40-pixel panel: the whole window and its frame fit.
      {{0, 0, 1366, 728}, {203, 32, 960, 680}},
      // A screen smaller than the design: the window takes the free area less its frame.
      {{0, 0, 800, 600}, {8, 32, 784, 560}},
      // A second screen to the right of the first.
      {{1920, 0, 1280, 1024}, {2080, 172, 960, 680}},
  };
  for (const auto& [available, expected] : cases) {
    EXPECT_EQ(OpeningRect(designed, available), expected) << available.width();
  }
}

using ConverterPlacementTest = ConverterTest;

TEST_F(ConverterPlacementTest, TheConverterOpensThereOnItsScreen) {
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(m_frm->geometry(), OpeningRect(Converter_Frm::kDesignedSize, available));
}

}  // namespace
}  // namespace qv::test
