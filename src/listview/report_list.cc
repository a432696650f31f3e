#include "listview/report_list.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

#include "listview/cell_tip.h"
#include "listview/list_sorting.h"
#include "listview/row_order.h"
#include "listview/twips.h"
#include "services/text_compare.h"

namespace qv {
namespace {

// A cell copied as one field of a tab-separated line.
std::string CopyField(const std::string& text) {
  std::string field = text;
  std::replace_if(
      field.begin(), field.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return field;
}

}  // namespace

int32_t ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

ReportList::ReportList(QWidget* parent) : QTreeView(parent), m_model(new ReportListModel(this)) {
  setModel(m_model);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);  // the cell tip follows the pointer without a button
  QHeaderView* head = header();
  // Stored widths are the user's: no section stretches or has a floor of its own.
  head->setStretchLastSection(false);
  head->setMinimumSectionSize(0);
  head->setSectionResizeMode(QHeaderView::Interactive);
  head->setSectionsClickable(true);
  head->setSectionsMovable(true);
  head->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(head, &QHeaderView::sectionClicked, this,
          [this](int section) { HeaderClicked(section); });
  connect(head, &QHeaderView::customContextMenuRequested, this,
          [this](const QPoint& position) { HeaderMenu(position); });
}

int32_t ReportList::ColumnCount() const {
  return m_model->columnCount();
}

void ReportList::AddColumnHeader(const std::string& title, int32_t widthTwips,
                                 const std::string& tag) {
  m_model->AppendColumn({title, tag});
  SetColumnWidth(ColumnCount(), widthTwips);
}

void ReportList::ClearColumns() {
  m_model->RemoveColumns();
}

std::string ReportList::ColumnText(int32_t column) const {
  return column >= 1 && column <= ColumnCount() ? m_model->Column(column - 1).Text : "";
}

std::string ReportList::ColumnTag(int32_t column) const {
  return column >= 1 && column <= ColumnCount() ? m_model->Column(column - 1).Tag : "";
}

void ReportList::SetColumnTag(int32_t column, const std::string& tag) {
  if (column >= 1 && column <= ColumnCount()) m_model->Column(column - 1).Tag = tag;
}

int32_t ReportList::ColumnWidth(int32_t column) const {
  if (column < 1 || column > ColumnCount()) return 0;
  return PixelsToTwips(this, header()->sectionSize(column - 1));
}

void ReportList::SetColumnWidth(int32_t column, int32_t widthTwips) {
  if (column < 1 || column > ColumnCount()) return;
  header()->resizeSection(column - 1, std::max(TwipsToPixels(this, widthTwips), 0));
}

int32_t ReportList::ColumnPosition(int32_t column) const {
  if (column < 1 || column > ColumnCount()) return 0;
  return header()->visualIndex(column - 1) + 1;
}

void ReportList::SetColumnPosition(int32_t column, int32_t position) {
  if (column < 1 || column > ColumnCount() || position < 1 || position > ColumnCount()) return;
  header()->moveSection(header()->visualIndex(column - 1), position - 1);
}

bool ReportList::AllowColumnReorder() const {
  return header()->sectionsMovable();
}

void ReportList::SetAllowColumnReorder(bool allow) {
  header()->setSectionsMovable(allow);
}

int32_t ReportList::ListWidth() const {
  int pixels = 0;
  if (isVisible()) {
    pixels = viewport()->width();
  } else {
    // A hidden list has not laid out its viewport since it was last resized.
    pixels = contentsRect().width();
    if (verticalScrollBar()->isVisibleTo(this)) pixels -= verticalScrollBar()->sizeHint().width();
  }
  return PixelsToTwips(this, std::max(pixels, 0));
}

int32_t ReportList::RowCount() const {
  return m_model->rowCount();
}

int32_t ReportList::AddRow(std::vector<std::string> cells) {
  int32_t row = RowCount();
  if (m_sorted && m_sortKey >= 0) {
    // After the rows that sort before or equal to it, so equal rows keep the order added.
    const std::string key =
        static_cast<size_t>(m_sortKey) < cells.size() ? cells[static_cast<size_t>(m_sortKey)] : "";
    int32_t low = 0, high = RowCount();
    while (low < high) {
      const int32_t middle = low + (high - low) / 2;
      if (TextSortsBefore(key, m_model->Cell(middle, m_sortKey))) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    row = low;
  }
  m_model->InsertRow(row, std::move(cells));
  return row;
}

void ReportList::AddRows(std::vector<std::vector<std::string>> rows) {
  m_model->AppendRows(std::move(rows));
  if (m_sorted) SortByText();
}

void ReportList::SetCell(int32_t row, int32_t column, const std::string& text) {
  if (row < 0 || row >= RowCount() || column < 1) return;
  m_model->SetCell(row, column - 1, text);
}

const std::string& ReportList::CellText(int32_t row, int32_t column) const {
  return m_model->Cell(row, column - 1);
}

void ReportList::ClearRows() {
  m_model->RemoveRows();
}

int32_t ReportList::SelectedRow() const {
  const QModelIndex current = currentIndex();
  if (!current.isValid() || !selectionModel()->isRowSelected(current.row(), QModelIndex())) {
    return -1;
  }
  return current.row();
}

std::vector<int32_t> ReportList::SelectedRows() const {
  std::vector<int32_t> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::string ReportList::SelectedRowsText() const {
  const std::vector<int32_t> rows = SelectedRows();
  if (rows.empty()) return "";
  std::vector<int32_t> columns;  // 1-based, in display order
  for (int visual = 0; visual < ColumnCount(); ++visual) {
    columns.push_back(header()->logicalIndex(visual) + 1);
  }
  auto line = [&](const std::function<std::string(int32_t)>& cell) {
    std::string text;
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) text += '\t';
      text += CopyField(cell(columns[i]));
    }
    return text + '\n';
  };
  std::string text = line([this](int32_t column) { return ColumnText(column); });
  for (int32_t row : rows) {
    text += line([this, row](int32_t column) { return CellText(row, column); });
  }
  return text;
}

void ReportList::SetSortKey(int32_t column) {
  m_sortKey = column;
  if (m_sorted) SortByText();
  ShowSortIndicator();
}

void ReportList::SetSortOrder(Qt::SortOrder order) {
  m_sortOrder = order;
  if (m_sorted) SortByText();
  ShowSortIndicator();
}

void ReportList::SetSorted(bool sorted) {
  m_sorted = sorted;
  if (m_sorted) SortByText();
}

void ReportList::SetSorting(int32_t sortKey, Qt::SortOrder order, bool sorted) {
  m_sortKey = sortKey;
  m_sortOrder = order;
  m_sorted = sorted;
  if (m_sorted) SortByText();
  ShowSortIndicator();
}

void ReportList::ReorderRows(const std::vector<int32_t>& order) {
  m_model->Reorder(order);
}

void ReportList::SetColumnClickHandler(std::function<void(int32_t)> handler) {
  m_columnClick = std::move(handler);
}

void ReportList::keyPressEvent(QKeyEvent* event) {
  ShiftState = ShiftStateOf(event->modifiers());
  if (event->matches(QKeySequence::Copy)) {
    const std::string text = SelectedRowsText();
    if (!text.empty()) QApplication::clipboard()->setText(QString::fromStdString(text));
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void ReportList::keyReleaseEvent(QKeyEvent* event) {
  ShiftState = 0;
  QTreeView::keyReleaseEvent(event);
}

void ReportList::mouseMoveEvent(QMouseEvent* event) {
  QTreeView::mouseMoveEvent(event);
  if (m_cellTipWidth <= 0) return;
  // The tip takes the point relative to the list, as the list's callers measure it.
  const QPoint point = viewport()->mapTo(this, event->position().toPoint());
  ShowCellTip(this, PixelsToTwips(this, point.x()), PixelsToTwips(this, point.y()), m_cellTipWidth);
}

void ReportList::HeaderClicked(int logicalIndex) {
  ShiftState = ShiftStateOf(QGuiApplication::keyboardModifiers());
  if (m_columnClick) {
    m_columnClick(logicalIndex + 1);
  } else {
    ListColumnClick(window(), this, logicalIndex + 1, &ShiftState, &LastFittedColumn);
  }
  // The header flips its arrow on every click; it shows the list's real order instead.
  ShowSortIndicator();
}

void ReportList::HeaderMenu(const QPoint& position) {
  const int logicalIndex = header()->logicalIndexAt(position);
  if (logicalIndex < 0) return;
  // The same choices as a click with no key, Shift, Ctrl and Alt, for desktops that keep
  // Alt+click for moving windows.
  QMenu menu(this);
  const std::pair<const char*, int32_t> choices[] = {
      {"Sort by This Column", 0},
      {"Fit Column to Its Contents\tShift+Click", 1},
      {"Share the List's Width from This Column\tCtrl+Click", 2},
      {"Column Sort Details...\tAlt+Click", 4}};
  for (const auto& [caption, state] : choices) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setData(state);
  }
  QAction* chosen = menu.exec(header()->viewport()->mapToGlobal(position));
  if (chosen == nullptr) return;
  ShiftState = chosen->data().toInt();
  ListColumnClick(window(), this, logicalIndex + 1, &ShiftState, &LastFittedColumn);
  ShowSortIndicator();
}

void ReportList::ShowSortIndicator() {
  header()->setSortIndicatorShown(m_sortKey >= 0 && m_sortKey < ColumnCount());
  if (m_sortKey >= 0) header()->setSortIndicator(m_sortKey, m_sortOrder);
}

bool ReportList::TextSortsBefore(const std::string& a, const std::string& b) const {
  const int32_t result = stricText(a, b);
  return m_sortOrder == Qt::AscendingOrder ? result < 0 : result > 0;
}

void ReportList::SortByText() {
  if (m_sortKey < 0) return;
  const std::vector<RowSortKey> keys = {
      {m_sortKey + 1, SortCode::kText, m_sortOrder == Qt::AscendingOrder}};
  ReorderRows(OrderRows(
      RowCount(),
      [this](int32_t row, int32_t column) -> std::string_view { return CellText(row, column); },
      keys));
}

}  // namespace qv
