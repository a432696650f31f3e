#pragma once
// The rows and column headers behind a report list. Cells are UTF-8 texts; a row may hold
// fewer cells than the list has columns (the rest read as empty).

#include <string>
#include <vector>

#include <QAbstractTableModel>

namespace qv {

/// One column header: the title shown and the Tag holding the column's sort order.
struct ColumnHeader {
  std::string Text;
  std::string Tag;
};

/// The table model of ReportList. Columns and rows count from 0 here; ReportList numbers
/// columns from 1 as the list operations do.
class ReportListModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  /// The cell's text for display; nothing for other roles.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  /// The column titles.
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  /// Appends a column header.
  void AppendColumn(ColumnHeader header);
  /// Removes every column header; the rows keep their cells.
  void RemoveColumns();
  /// Header `column` (0-based, in range).
  ColumnHeader& Column(int column) { return m_columns[static_cast<size_t>(column)]; }
  const ColumnHeader& Column(int column) const { return m_columns[static_cast<size_t>(column)]; }

  /// Inserts a row before `row` (0 to rowCount()).
  void InsertRow(int row, std::vector<std::string> cells);
  /// Appends many rows in one insertion.
  void AppendRows(std::vector<std::vector<std::string>> rows);
  /// Replaces one cell (0-based row and column, the row in range); grows the row as needed.
  void SetCell(int row, int column, std::string text);
  /// The text of a cell; "" for a cell the row does not have. The reference stays valid until
  /// the rows change.
  const std::string& Cell(int row, int column) const;
  /// Removes every row.
  void RemoveRows();
  /// Puts the rows in a new order: order[newRow] = oldRow, a permutation of every row.
  /// Selections and the current item follow their rows.
  void Reorder(const std::vector<int32_t>& order);

 private:
  std::vector<ColumnHeader> m_columns;
  std::vector<std::vector<std::string>> m_rows;
};

}  // namespace qv
