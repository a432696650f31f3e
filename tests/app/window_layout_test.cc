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
  void Store(int32_t left, int32_t top, int32_t height, int32_t width) {
    SaveREGString(kKey, "Left", left, 4, 4);
    SaveREGString(kKey, "Top", top, 4, 4);
    SaveREGString(kKey, "Height", height, 4, 4);
    SaveREGString(kKey, "Width", width, 4, 4);
  }
  test::ScopedTestMachine m_machine;
  const TwipsRect m_designed{1200, 900, 9000, 6000};
};

TEST_F(WindowLayoutTest, StoresTheFrameAsFourDwordsInTwips) {
  SaveWindowLayout("MsiDir_Frm", {-48000, -48000, 2400, 465});
  for (const auto& [name, expected] :
       {std::pair{"Left", "-48000"}, {"Top", "-48000"}, {"Width", "2400"}, {"Height", "465"}}) {
    std::string data;
    int32_t type = 0;
    ASSERT_GT(GetREGData(kKey, name, &data, 100, &type), 0) << name;
    EXPECT_EQ(std::make_pair(data, type), std::make_pair(std::string(expected), 4)) << name;
  }
}

TEST_F(WindowLayoutTest, AppliesOnlyStoredValuesAboveZero) {
  EXPECT_EQ(Tuple(LoadWindowLayout("MsiDir_Frm", m_designed)), Tuple(m_designed)) << "first use";

  struct Case {
    TwipsRect stored;  // left, top, width, height
    TwipsRect loaded;
  };
  const Case cases[] = {
      {{3000, 1500, 12000, 8000}, {3000, 1500, 12000, 8000}},
      // A window closed while minimised: its negative position stays designed.
      {{-48000, -48000, 2400, 465}, {1200, 900, 2400, 465}},
      // A window at the screen's left edge keeps its designed left edge.
      {{0, 450, 12000, 8000}, {1200, 450, 12000, 8000}},
  };
  for (const Case& c : cases) {
    Store(c.stored.left, c.stored.top, c.stored.height, c.stored.width);
    EXPECT_EQ(Tuple(LoadWindowLayout("MsiDir_Frm", m_designed)), Tuple(c.loaded)) << c.stored.left;
  }

  // A value of another type cannot be read and counts as 0.
  SaveREGString(kKey, "Width", "12000", 1, 1);
  EXPECT_EQ(LoadWindowLayout("MsiDir_Frm", m_designed).width, 9000);
}

TEST_F(WindowLayoutTest, MovesAFrameNoScreenShowsOntoThePrimaryScreen) {
  const std::vector<TwipsRect> screens = {{0, 0, 28800, 16200}, {28800, 0, 19200, 14400}};
  struct Case {
    TwipsRect frame;
    TwipsRect kept;
  };
  const Case cases[] = {
      {{30000, 600, 9000, 6000}, {30000, 600, 9000, 6000}},  // on the second screen
      {{60000, 900, 9000, 6000}, {19800, 900, 9000, 6000}},  // right of every screen
      {{1200, -3000, 9000, 6000}, {1200, 0, 9000, 6000}},    // title bar above the top
      {{-8900, 900, 9000, 6000}, {0, 900, 9000, 6000}},      // 100 twips showing: too few
      {{-8700, 900, 9000, 6000}, {-8700, 900, 9000, 6000}},  // 300 twips: can be grabbed
      {{-9000, -3000, 40000, 20000}, {0, 0, 40000, 20000}},  // larger than the screen
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Tuple(KeepOnScreen(c.frame, screens)), Tuple(c.kept))
        << c.frame.left << "," << c.frame.top;
  }
  EXPECT_EQ(Tuple(KeepOnScreen({60000, 900, 9000, 6000}, {})), Tuple({60000, 900, 9000, 6000}));
}

}  // namespace
}  // namespace qv
