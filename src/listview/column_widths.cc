#include "listview/column_widths.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "listview/list_layout.h"
#include "listview/report_list.h"
#include "listview/text_width.h"
#include "listview/width_share.h"

namespace qv {

void AddColumn(ReportList* list, const std::string& title, int32_t /*columnNumber*/,
               const std::string& sortCode) {
  int32_t width = 0;
  GetLvTextWidth(list, title, false, &width);
  list->AddColumnHeader(title, width, sortCode);
}

int32_t ColumnContentWidth(const ReportList* list, int32_t column, bool skipEmpty) {
  int32_t widest = 0;
  bool found = false;
  // File lists repeat their texts (types, dates, versions): each is measured once.
  std::unordered_set<std::string_view> measured;
  for (int32_t row = 0; row < list->RowCount(); ++row) {
    const std::string& text = list->CellText(row, column);
    if (skipEmpty && text.empty()) continue;
    found = true;
    if (!measured.insert(text).second) continue;
    int32_t width = 0;
    GetLvTextWidth(list, text, false, &width);
    widest = std::max(widest, width);
  }
  if (skipEmpty && !found) return widest;
  return widest + 200;
}

void FitColumnsToWidth(QWidget* /*window*/, ReportList* list, int32_t startColumn, bool skipEmpty) {
  const int32_t count = std::min(list->ColumnCount(), kMaxFittedColumns);
  if (count == 0) return;
  std::vector<int32_t> need;
  for (int32_t column = 1; column <= count; ++column) {
    need.push_back(ColumnContentWidth(list, column, skipEmpty));
  }
  const std::vector<int32_t> widths =
      ShareListWidth(list->ListWidth(), std::move(need), startColumn, skipEmpty);
  // One repaint for all the columns instead of one per column.
  const bool updates = list->updatesEnabled();
  list->setUpdatesEnabled(false);
  for (size_t i = 0; i < widths.size(); ++i) {
    list->SetColumnWidth(static_cast<int32_t>(i) + 1, widths[i]);
  }
  list->setUpdatesEnabled(updates);
}

void ToggleColumnFit(QWidget* window, ReportList* list, int32_t column, int32_t* lastFittedColumn) {
  if (list->RowCount() == 0) return;
  if (*lastFittedColumn != 0 && ListWidthsChanged(window, list, "", *lastFittedColumn) &&
      column == *lastFittedColumn) {
    RestoreListLayout(window, list, "");
  }
  *lastFittedColumn = 0;
  int32_t need = ColumnContentWidth(list, column, false);
  if (std::abs(list->ColumnWidth(column) - need) <= 100) {
    GetLvTextWidth(list, "DDDDD", false, &need);
  }
  int32_t skip = 0;
  SaveListLayout(window, list, "", &skip);
  list->SetColumnWidth(column, need);
  *lastFittedColumn = column;
}

}  // namespace qv
