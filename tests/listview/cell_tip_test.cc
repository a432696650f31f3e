#include "listview/cell_tip.h"

#include "list_fixture.h"
#include "listview/ctooltip.h"
#include "listview/text_width.h"
#include "listview/twips.h"

namespace qv::test {
namespace {

class CellTipTest : public ListWindowTest {
 protected:
  void SetUp() override {
    ListWindowTest::SetUp();
    AddColumn(m_list, "File Name", 1, "S");
    AddColumn(m_list, "Application", 2, "S");
    m_list->SetColumnWidth(1, 3000);
    m_list->SetColumnWidth(2, 3000);
    m_list->AddRow({"Setup.Msi", "Short"});
    m_list->AddRow({"A name far too long for its column.Msi", "An application\twith a tab"});
    std::string longText = "Text";
    for (int i = 0; i < 40; ++i) longText += " cut off";
    m_list->AddRow({"x", longText});
    LastTipItem() = 0;
  }
  void TearDown() override { CellTip().Destroy(); }
  /// Moves over the middle of a cell as the list's mouse handler does; the tip's text, "<none>"
  /// for no tip.
  std::string Hover(int32_t row, int32_t column) {
    const QRect cell = m_list->visualRect(m_list->Model()->index(row, column - 1));
    const QPoint point = m_list->viewport()->mapTo(m_list, cell.center());
    ShowCellTip(m_list, PixelsToTwips(m_list, point.x()), PixelsToTwips(m_list, point.y()), 8000);
    TipWindow* tip = CellTip().Window();
    return tip != nullptr ? tip->Look().text : "<none>";
  }
  int32_t Width(const std::string& text) const {
    int32_t width = 0;
    GetLvTextWidth(m_list, text, false, &width);
    return width;
  }
};

TEST_F(CellTipTest, RestingThePointerOverACutOffCellShowsTheTip) {
  const QRect cell = m_list->visualRect(m_list->Model()->index(1, 0));
  QTest::mouseMove(m_list->viewport(), cell.center());
  ASSERT_NE(CellTip().Window(), nullptr);
  EXPECT_EQ(CellTip().Window()->Look().text, "A name far too long for its column.Msi");
  QTRY_VERIFY_WITH_TIMEOUT(CellTip().Window()->isVisible(), 3000);
  QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  EXPECT_FALSE(CellTip().Window()->isVisible());
}

TEST_F(CellTipTest, ShowsTheFullTextOfCutOffCellsOnlyInLinesOfAboutEqualLength) {
  EXPECT_EQ(Hover(0, 1), "<none>");
  EXPECT_EQ(Hover(1, 1), "A name far too long for its column.Msi");
  ASSERT_NE(CellTip().Window(), nullptr);
  EXPECT_FALSE(CellTip().Window()->Look().showTitle);

  // A cell keeps 200 twips free, the first column 500.
  m_list->SetColumnWidth(1, Width("Setup.Msi") + 350);
  m_list->SetColumnWidth(2, Width("Short") + 350);
  EXPECT_EQ(Hover(0, 2), "<none>");
  EXPECT_EQ(Hover(1, 2), "An application with a tab");
  EXPECT_EQ(Hover(0, 1), "Setup.Msi");
  // Off the rows the tip goes.
  ShowCellTip(m_list, 100, PixelsToTwips(m_list, m_list->height() - 2), 8000);
  EXPECT_EQ(CellTip().Window(), nullptr);

  // Text wider than the tip may be wraps into lines.
  EXPECT_NE(Hover(2, 2).find('\r'), std::string::npos);

  const std::string words = "alpha beta gamma delta epsilon zeta eta theta";
  const std::string unbroken(30, 'w');
  const struct {
    std::string text;
    int32_t maxWidth;
    bool atBlanks;
    std::string wrapped;
  } cases[] = {
      // 45 characters: two lines of 23, three of 16.
      {words, Width(words) + 1, true, words},
      {words, Width(words), true, "alpha beta gamma delta\repsilon zeta eta theta"},
      {words, Width(words) / 2, false, "alpha beta gamma\r delta epsilon z\reta eta theta"},
      {unbroken, Width(unbroken), true, std::string(16, 'w') + "\r" + std::string(14, 'w')},
      {"äöü äöü", 1, false, "ä\rö\rü\r \rä\rö\rü"},  // letters stay whole
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WrapTipText(m_list, c.text, c.maxWidth, c.atBlanks), c.wrapped) << c.text;
  }
}

TEST(CTooltipTest, KeepsOneWindowThatGoesWithItsTool) {
  QWidget tool;
  CTooltip tip;
  tip.Create(&tool);
  tip.Create(&tool);
  EXPECT_EQ(tool.findChildren<TipWindow*>().size(), 1) << "Create twice leaves one tip";
  tip.SetTipWidth(120);
  EXPECT_EQ(tip.Window()->Look().maxWidth, 120) << "a width set while the tip exists applies";
  tip.Destroy();
  EXPECT_TRUE(tool.findChildren<TipWindow*>().isEmpty());
  auto other = std::make_unique<QWidget>();
  tip.Create(other.get());
  other.reset();
  EXPECT_EQ(tip.Window(), nullptr) << "the tip goes with its tool";
}

}  // namespace
}  // namespace qv::test
