#include "listview/report_list_model.h"

namespace qv {
namespace {

const std::string kNoText;

}  // namespace

int ReportListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ReportListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ReportListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return QVariant();
  return QString::fromStdString(Cell(index.row(), index.column()));
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= columnCount()) {
    return QVariant();
  }
  return QString::fromStdString(Column(section).Text);
}

void ReportListModel::AppendColumn(ColumnHeader header) {
  const int column = columnCount();
  beginInsertColumns(QModelIndex(), column, column);
  m_columns.push_back(std::move(header));
  endInsertColumns();
}

void ReportListModel::RemoveColumns() {
  if (m_columns.empty()) return;
  beginRemoveColumns(QModelIndex(), 0, columnCount() - 1);
  m_columns.clear();
  endRemoveColumns();
}

void ReportListModel::InsertRow(int row, std::vector<std::string> cells) {
  beginInsertRows(QModelIndex(), row, row);
  m_rows.insert(m_rows.begin() + row, std::move(cells));
  endInsertRows();
}

void ReportListModel::AppendRows(std::vector<std::vector<std::string>> rows) {
  if (rows.empty()) return;
  const int first = rowCount();
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
  m_rows.reserve(m_rows.size() + rows.size());
  for (auto& row : rows) m_rows.push_back(std::move(row));
  endInsertRows();
}

void ReportListModel::SetCell(int row, int column, std::string text) {
  std::vector<std::string>& cells = m_rows[static_cast<size_t>(row)];
  if (cells.size() <= static_cast<size_t>(column)) cells.resize(static_cast<size_t>(column) + 1);
  cells[static_cast<size_t>(column)] = std::move(text);
  if (column < columnCount()) {
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
  }
}

const std::string& ReportListModel::Cell(int row, int column) const {
  if (row < 0 || column < 0 || static_cast<size_t>(row) >= m_rows.size()) return kNoText;
  const std::vector<std::string>& cells = m_rows[static_cast<size_t>(row)];
  return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : kNoText;
}

void ReportListModel::RemoveRows() {
  if (m_rows.empty()) return;
  beginRemoveRows(QModelIndex(), 0, rowCount() - 1);
  m_rows.clear();
  endRemoveRows();
}

void ReportListModel::Reorder(const std::vector<int32_t>& order) {
  if (order.size() != m_rows.size()) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> newRowOf(order.size());
  std::vector<std::vector<std::string>> rows(order.size());
  for (size_t i = 0; i < order.size(); ++i) {
    newRowOf[static_cast<size_t>(order[i])] = static_cast<int>(i);
    rows[i] = std::move(m_rows[static_cast<size_t>(order[i])]);
  }
  m_rows.swap(rows);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& index : before) {
    after.append(this->index(newRowOf[static_cast<size_t>(index.row())], index.column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace qv
