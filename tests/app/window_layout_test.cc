#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <tuple>

#include "services/registry_functions.h"
#include "support/test_machine.h"

namespace qv {
namespace {

constexpr char kKey[] = "Dunar\\Quorvex\\Display\\MsiDir_Frm";

std::tuple<int32_t, int32_t, int32_t, int32_t> Tuple(const TwipsRect& r) {
  return {r.left, r.top, r.width, r.height};
}

class WindowLayoutTest : public ::testing::Test {
 protected:
  test::ScopedTestMachine m_machine;
  const TwipsRect m_designed{1200, 900, 9000, 6000};
};

TEST_F(WindowLayoutTest, StoresFourDwordsAppliesOnlyValuesAboveZeroAndKeepsTheFrameOnScreen) {
  const std::pair<TwipsRect, TwipsRect> cases[] = {
      // stored, loaded
      {{3000, 1500, 12000, 8000}, {3000, 1500, 12000, 8000}},
      // A window closed while minimised (negative) or at the screen's edge (0) keeps its
      // designed position.
      {{0, 0, 2400, 465}, {1200, 900, 2400, 465}},
  };
  for (const auto& [stored, loaded] : cases) {
    SaveWindowLayout("MsiDir_Frm", stored);
    EXPECT_EQ(Tuple(LoadWindowLayout("MsiDir_Frm", m_designed)), Tuple(loaded)) << stored.left;
  }
  std::string data;
  int32_t type = 0;
  ASSERT_GT(GetREGData(kKey, "Top", &data, 100, &type), 0);
  EXPECT_EQ(std::make_pair(data, type), std::make_pair(std::string("0"), 4));

  // A value of another type cannot be read and counts as 0.
  SaveREGString(kKey, "Width", "12000", 1, 1);
  EXPECT_EQ(LoadWindowLayout("MsiDir_Frm", m_designed).width, 9000);

  // A frame no screen shows is moved onto the primary screen.
  const std::vector<TwipsRect> screens = {{0, 0, 28800, 16200}, {28800, 0, 19200, 14400}};
  const std::pair<TwipsRect, TwipsRect> frames[] = {
      // frame, where it is kept
      {{30000, 600, 9000, 6000}, {30000, 600, 9000, 6000}},  // on the second screen
      {{60000, 900, 9000, 6000}, {19800, 900, 9000, 6000}},  // right of every screen
      {{1200, -3000, 9000, 6000}, {1200, 0, 9000, 6000}},    // title bar above the top
      {{-8900, 900, 9000, 6000}, {0, 900, 9000, 6000}},      // 100 twips showing: too few
      {{-8700, 900, 9000, 6000}, {-8700, 900, 9000, 6000}},  // 300 twips: can be grabbed
      {{-9000, -3000, 40000, 20000}, {0, 0, 40000, 20000}},  // larger than the screen
  };
  for (const auto& [frame, kept] : frames) {
    EXPECT_EQ(Tuple(KeepOnScreen(frame, screens)), Tuple(kept)) << frame.left << "," << frame.top;
  }
  EXPECT_EQ(Tuple(KeepOnScreen({60000, 900, 9000, 6000}, {})), Tuple({60000, 900, 9000, 6000}));
}

}  // namespace
}  // namespace qv
