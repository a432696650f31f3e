#include "listview/list_layout.h"

#include "list_fixture.h"

namespace qv::test {
namespace {

class ListLayoutTest : public ListWindowTest {
 protected:
  void AddColumns() {
    AddColumn(m_list, "File Name", 1, "S");
    AddColumn(m_list, "Size", 2, "L");
    AddColumn(m_list, "DateTime", 3, "D");
  }
  /// Rebuilds the list as the selection window does: stores, clears, adds, restores.
  bool Rebuild() {
    SaveListLayout(m_window.get(), m_list, "", &m_list->LastFittedColumn);
    m_list->ClearColumns();
    m_list->ClearRows();
    AddColumns();
    return RestoreListLayout(m_window.get(), m_list, "");
  }
};

TEST_F(ListLayoutTest, FirstDisplaySharesTheWidthThenWhatIsStoredComesBack) {
  AddColumns();
  EXPECT_FALSE(RestoreListLayout(m_window.get(), m_list, ""));
  EXPECT_EQ(Widths(), (std::vector<int32_t>{3000, 3000, 3000}));
  EXPECT_EQ(Stored("Width"), "|1=3000|2=3000|3=3000");
  EXPECT_EQ(Stored("Posn"), "|1=1|2=2|3=3");

  // The user widens a column, drags DateTime to the left and gives Size two keys.
  m_list->SetColumnWidth(2, 4500);
  m_list->header()->moveSection(2, 0);
  m_list->SetColumnTag(2, "L2,<1");
  m_list->LastFittedColumn = 3;
  EXPECT_TRUE(Rebuild());
  EXPECT_EQ(Stored("Posn"), "|1=2|2=3|3=1");
  EXPECT_EQ(Stored("Sort"), "|1=S|2=L2,<1|3=D");
  EXPECT_EQ(Widths(), (std::vector<int32_t>{3000, 4500, 3000}));
  EXPECT_EQ(m_list->ColumnPosition(3), 1);
  EXPECT_EQ(m_list->ColumnTag(2), "L2,<1");

  struct Case {
    const char* width;
    const char* posn;
    std::vector<int32_t> widths;
    std::vector<int32_t> positions;
  };
  const Case cases[] = {
      // Columns that leave some but less than 80 % of the list free are fitted to their
      // contents (the empty list: equal shares); narrower ones are kept.
      {"|1=510|2=510|3=510", "|1=2|2=3|3=1", {510, 510, 510}, {2, 3, 1}},
      {"|1=2000|2=2000|3=2000", "", {3000, 3000, 3000}, {2, 3, 1}},
      // Fields left out or out of range change nothing.
      {"|2=6000|3=5010", "|1=0|2=4|3=x", {3000, 6000, 5010}, {2, 3, 1}},
  };
  for (const Case& c : cases) {
    Store("Width", c.width);
    Store("Posn", c.posn);
    EXPECT_TRUE(RestoreListLayout(m_window.get(), m_list, "")) << c.width;
    EXPECT_EQ(Widths(), c.widths) << c.width;
    std::vector<int32_t> positions;
    for (int32_t column = 1; column <= 3; ++column) {
      positions.push_back(m_list->ColumnPosition(column));
    }
    EXPECT_EQ(positions, c.positions) << c.width;
  }
  Store("Width", "|1=4000|2=wide|3=4500");
  Store("Sort", "|1=S2|2=|3=D1");
  EXPECT_FALSE(RestoreListLayout(m_window.get(), m_list, "")) << "a width that is no number";
  EXPECT_EQ(m_list->ColumnWidth(2), 6000);
  EXPECT_EQ(m_list->ColumnTag(3), "D");
}

TEST_F(ListLayoutTest, StoresWidthsOnlyWhenTheyChanged) {
  AddColumns();
  m_list->SetAllowColumnReorder(false);
  for (int32_t column = 1; column <= 3; ++column) m_list->SetColumnWidth(column, 3000);
  Store("Width", "|1=3000|2=1500|3=3000");
  EXPECT_TRUE(ListWidthsChanged(m_window.get(), m_list, "", 1));
  EXPECT_FALSE(ListWidthsChanged(m_window.get(), m_list, "", 2));

  int32_t skip = 2;  // only the skipped column differs: nothing to store
  SaveListLayout(m_window.get(), m_list, "", &skip);
  EXPECT_EQ(skip, 0);
  EXPECT_EQ(Stored("Width"), "|1=3000|2=1500|3=3000");
  EXPECT_EQ(Stored("Posn"), "");
  EXPECT_EQ(Stored("Sort"), "|1=S|2=L|3=D");
  skip = 1;
  SaveListLayout(m_window.get(), m_list, "", &skip);
  EXPECT_EQ(Stored("Width"), "|1=3000|2=3000|3=3000");

  m_list->ClearColumns();
  Store("Width", "kept");
  SaveListLayout(m_window.get(), m_list, "", &skip);
  EXPECT_EQ(Stored("Width"), "kept") << "a list without columns stores nothing";
}

}  // namespace
}  // namespace qv::test
