#include "listview/list_sorting.h"

#include <QClipboard>

#include "list_fixture.h"
#include "listview/text_width.h"

namespace qv::test {
namespace {

class ListSortingTest : public ListWindowTest {
 protected:
  static std::string WidthRecord(const std::vector<int32_t>& widths) {
    std::string record;
    for (size_t i = 0; i < widths.size(); ++i) {
      record += "|" + std::to_string(i + 1) + "=" + std::to_string(widths[i]);
    }
    return record;
  }
  void SetUp() override {
    ListWindowTest::SetUp();
    AddFileColumns();
    AddFileRows();
  }
};

TEST_F(ListSortingTest, HeaderClicksSortByTheColumnsTypedKeys) {
  const std::pair<int32_t, const char*> cases[] = {
      {8, "App.Msi Install.Log Setup.Msi Merge.Msm"},  // Size: 900 before 10000
      {8, "Merge.Msm Setup.Msi App.Msi Install.Log"},  // again: descending
      {3, "Merge.Msm App.Msi Install.Log Setup.Msi"},  // the list's own text sort
  };
  for (const auto& [column, names] : cases) {
    ClickHeader(column);
    EXPECT_EQ(Names(), names) << column;
    EXPECT_EQ(m_list->header()->sortIndicatorSection(), column - 1);
    EXPECT_EQ(m_list->header()->sortIndicatorOrder(), m_list->SortOrder());
  }
  // Rows added while the list sorts by itself take their place.
  m_list->AddRow({"Big.Msi", "MSI", "Omega"});
  EXPECT_EQ(Names(), "Merge.Msm App.Msi Big.Msi Install.Log Setup.Msi");
}

// A tag with keys sorts by them, each compared by the code of the column it names: Guid and
// File Name as text, Size as numbers.
TEST_F(ListSortingTest, ATagWithKeysSortsByThem) {
  m_list->SetColumnTag(3, "S6,>8,<1");
  ClickHeader(3);
  EXPECT_FALSE(m_list->Sorted());
  EXPECT_EQ(Names(), "Merge.Msm Setup.Msi Install.Log App.Msi");
}

// Keys after the first are compared only when the ones before them are equal.
TEST_F(ListSortingTest, CompareListItemsComparesKeyByKey) {
  m_list->SetColumnTag(1, "S6,>8");
  ClickHeader(1);
  EXPECT_EQ(CompareListItems(0, 3, m_list), 0) << "the same Guid, the larger Size first";
}

TEST_F(ListSortingTest, ShiftClickSwitchesAColumnBetweenItsContentsAndFiveLetters) {
  int32_t narrow = 0;
  GetLvTextWidth(m_list, "DDDDD", false, &narrow);
  const std::vector<int32_t> before = Widths();

  ClickHeader(3, Qt::ShiftModifier);
  EXPECT_NEAR(m_list->ColumnWidth(3), ColumnContentWidth(m_list, 3, false), 8);
  EXPECT_EQ(Stored("Width"), WidthRecord(before)) << "stored before the fit";
  ClickHeader(3, Qt::ShiftModifier);
  EXPECT_NEAR(m_list->ColumnWidth(3), narrow, 8);

  // The other columns were changed since the fit: the stored layout comes back first, and
  // as it leaves much of the list free, every column is fitted to its contents.
  m_list->SetColumnWidth(1, 6000);
  ClickHeader(3, Qt::ShiftModifier);
  EXPECT_NEAR(m_list->ColumnWidth(1), ColumnContentWidth(m_list, 1, false) + 200, 8);
  EXPECT_NEAR(m_list->ColumnWidth(3), narrow, 8);
  EXPECT_EQ(Names(), "Setup.Msi App.Msi Merge.Msm Install.Log") << "no sort";
}

TEST_F(ListSortingTest, CtrlCCopiesTheSelectedRowsWithTheTitles) {
  m_list->header()->moveSection(7, 1);  // Size shown second
  m_list->SetCell(2, 3, "Tab\tinside");
  m_list->setFocus();
  m_list->selectionModel()->select(m_list->Model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
  m_list->selectionModel()->select(m_list->Model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QApplication::clipboard()->clear();
  QTest::keyClick(m_list, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            "File Name\tSize\tType\tApplication\tVersion\tLanguage\tGuid\tDateTime\n"
            "Setup.Msi\t10000\tMSI\tZeta Tool\t1.10\tEnglish\t{A}\t10:00:00 2/1/2024\n"
            "Merge.Msm\t52000\tMSM\tTab inside\t\t\t\t08:00:00 2/1/2024\n");
}

}  // namespace
}  // namespace qv::test
