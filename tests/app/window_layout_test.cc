#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <tuple>

#include "services/data_rows.h"
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

TEST_F(WindowLayoutTest, AppliesOnlyStoredValuesAboveZeroAndKeepsTheFrameOnAScreen) {
  EXPECT_EQ(Tuple(LoadWindowLayout("MsiDir_Frm", m_designed)), Tuple(m_designed)) << "first use";
  const std::vector<TwipsRect> screens = {{0, 0, 28800, 16200}, {28800, 0, 19200, 14400}};
  for (const test::DataRow& row : test::DataRows("app/window_layout.tsv")) {
    const std::vector<int32_t> given = test::Ints(row[1]);
    const TwipsRect frame{given[0], given[1], given[2], given[3]};
    std::vector<int32_t> got;
    if (row[0] == "load") {
      Store(frame.left, frame.top, frame.height, frame.width);
      const TwipsRect loaded = LoadWindowLayout("MsiDir_Frm", m_designed);
      got = {loaded.left, loaded.top, loaded.width, loaded.height};
    } else {
      const TwipsRect kept = KeepOnScreen(frame, screens);
      got = {kept.left, kept.top, kept.width, kept.height};
    }
    EXPECT_EQ(got, test::Ints(row[2])) << row[0] << " " << row[1];
  }
  EXPECT_EQ(Tuple(KeepOnScreen({60000, 900, 9000, 6000}, {})), Tuple({60000, 900, 9000, 6000}));

  // A value of another type cannot be read and counts as 0.
  SaveREGString(kKey, "Width", "12000", 1, 1);
  EXPECT_EQ(LoadWindowLayout("MsiDir_Frm", m_designed).width, 9000);
}

}  // namespace
}  // namespace qv
