#pragma once
// The report-view list of the program's windows: rows of texts under column headers the
// user can resize, reorder and click. A click on a header goes to ListColumnClick (sorting,
// fitting, the column sort dialog, chosen by Shift, Ctrl and Alt); the pointer over a
// cut-off cell shows its full text (ShowCellTip); Ctrl+C copies the selected rows.
//
// Numbering: columns count from 1 in the order they were added (the header's Index, also
// the numbers sort keys and stored layouts use), whatever position the user dragged them
// to; rows count from 0 in the order shown.
//
// Filling a list (what a window does on each rebuild):
//   SaveListLayout(window, list, "", &list->LastFittedColumn);
//   list->ClearColumns();  list->ClearRows();
//   AddColumn(list, "File Name", 1, "S");  AddColumn(list, "Size", 2, "L");  ...
//   list->AddRow({"Setup.Msi", "12345"});  // one text per column, in column order
//   RestoreListLayout(window, list, "");
// Sorting reads the cell texts themselves; there are no hidden key columns. Closing the
// window: SaveListLayout(window, list, "", &list->LastFittedColumn).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QTreeView>

#include "listview/report_list_model.h"

namespace qv {

/// The report-view list. Its object name is the list's name in stored layouts; the object
/// name of its window() names the window.
class ReportList : public QTreeView {
 public:
  /// An empty list: no columns, no rows, columns movable, rows selectable several at once.
  explicit ReportList(QWidget* parent = nullptr);

  // Columns.
  /// Number of columns.
  int32_t ColumnCount() const;
  /// Appends a column with its title, width in twips and Tag (AddColumn measures the title).
  void AddColumnHeader(const std::string& title, int32_t widthTwips, const std::string& tag);
  /// Removes every column; rows keep their cells.
  void ClearColumns();
  /// The title of column (1 to ColumnCount()); "" for no such column.
  std::string ColumnText(int32_t column) const;
  /// The Tag (sort order) of column; "" for no such column.
  std::string ColumnTag(int32_t column) const;
  /// Sets the Tag of column; ignored for no such column.
  void SetColumnTag(int32_t column, const std::string& tag);
  /// The width of column in whole twips; 0 for no such column.
  int32_t ColumnWidth(int32_t column) const;
  /// Sets the width of column in twips (negative counts as 0).
  void SetColumnWidth(int32_t column, int32_t widthTwips);
  /// The display position of column, 1 at the left; 0 for no such column.
  int32_t ColumnPosition(int32_t column) const;
  /// Moves column to display position (1 to ColumnCount()).
  void SetColumnPosition(int32_t column, int32_t position);
  /// True when the user may drag columns to other positions.
  bool AllowColumnReorder() const;
  /// Lets the user drag columns, or not.
  void SetAllowColumnReorder(bool allow);
  /// The width the columns have to share, in whole twips: inside the frame and the
  /// vertical scroll bar, so that columns fitted to it need no horizontal scroll bar. A
  /// list that was never shown has the size it was last given: give it its real size
  /// (show it, or activate its window's layout) before its layout is restored.
  int32_t ListWidth() const;

  // Rows.
  /// Number of rows.
  int32_t RowCount() const;
  /// Adds a row, cells in column order (cells[0] is column 1); returns its row. At the end,
  /// or at its sorted place while the list's own sorting is on.
  int32_t AddRow(std::vector<std::string> cells);
  /// Adds many rows at once (one sort when the list's own sorting is on).
  void AddRows(std::vector<std::vector<std::string>> rows);
  /// Replaces the text of a cell (row in range, column 1 or more).
  void SetCell(int32_t row, int32_t column, const std::string& text);
  /// The text of a cell; "" for no such cell. Valid until the rows change.
  const std::string& CellText(int32_t row, int32_t column) const;
  /// Removes every row.
  void ClearRows();
  /// The row of the current item when it is selected, else -1.
  int32_t SelectedRow() const;
  /// The selected rows in the order shown.
  std::vector<int32_t> SelectedRows() const;
  /// The selected rows as text: a line of the column titles, then one line per row, cells
  /// in display order separated by tabs, each line ended by a line feed; "" when nothing is
  /// selected. Ctrl+C puts this on the clipboard.
  std::string SelectedRowsText() const;

  // The list's own sorting: by the text of one column, kept while rows are added.
  /// The column (0-based) the list's own sorting uses; -1 before any sort.
  int32_t SortKey() const { return m_sortKey; }
  /// Sets the column (0-based) of the list's own sorting.
  void SetSortKey(int32_t column);
  /// The direction of the list's sorting.
  Qt::SortOrder SortOrder() const { return m_sortOrder; }
  /// Sets the direction of the list's sorting.
  void SetSortOrder(Qt::SortOrder order);
  /// True while the list keeps its rows sorted by the SortKey column's text.
  bool Sorted() const { return m_sorted; }
  /// Turns the list's own sorting on (the rows are sorted at once) or off.
  void SetSorted(bool sorted);
  /// Sets the sort column (0-based), direction and own sorting together: one sort at most.
  void SetSorting(int32_t sortKey, Qt::SortOrder order, bool sorted);
  /// Puts the rows in a new order: order[newRow] = oldRow. Selection follows the rows.
  void ReorderRows(const std::vector<int32_t>& order);

  /// What a header click does; by default ListColumnClick with the list's window, the
  /// modifiers of the click as ShiftState and LastFittedColumn.
  void SetColumnClickHandler(std::function<void(int32_t column)> handler);
  /// The widest tip of a cut-off cell, in twips; 0 shows no cell tips. 8000 at first.
  void SetCellTipWidth(int32_t maxTipWidth) { m_cellTipWidth = maxTipWidth; }

  /// The modifier keys of the last key pressed in the list or of the last header click (1
  /// Shift, 2 Ctrl, 4 Alt, added up); 0 after a key release.
  int32_t ShiftState = 0;
  /// The column last fitted by a Shift+click; 0 for none.
  int32_t LastFittedColumn = 0;

  /// The model behind the list.
  ReportListModel* Model() const { return m_model; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void HeaderClicked(int logicalIndex);
  void HeaderMenu(const QPoint& position);
  void ShowSortIndicator();
  void SortByText();
  bool TextSortsBefore(const std::string& a, const std::string& b) const;

  ReportListModel* m_model;  // owned by the list
  int32_t m_sortKey = -1;
  Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
  bool m_sorted = false;
  int32_t m_cellTipWidth = 8000;
  std::function<void(int32_t)> m_columnClick;
};

/// The modifier mask of keys as the list operations read it: 1 Shift, 2 Ctrl, 4 Alt.
int32_t ShiftStateOf(Qt::KeyboardModifiers modifiers);

}  // namespace qv
