#include "listview/list_sorting.h"

#include <QWidget>

#include "listview/colsort_frm.h"
#include "listview/column_widths.h"
#include "listview/report_list.h"
#include "listview/row_order.h"

namespace qv {
namespace {

// Cell texts are read for sorting as into a buffer of 1000 characters, cut at a NUL.
constexpr size_t kSortTextLimit = 999;

std::string_view SortText(const ReportList* list, int32_t row, int32_t column) {
  if (column < 1 || column > list->ColumnCount()) return {};
  std::string_view text = list->CellText(row, column);
  text = text.substr(0, kSortTextLimit);
  return text.substr(0, text.find('\0'));
}

bool Ascending(KeyDirection direction, bool listAscending) {
  switch (direction) {
    case KeyDirection::kAscending:
      return true;
    case KeyDirection::kDescending:
      return false;
    case KeyDirection::kList:
      break;
  }
  return listAscending;
}

std::vector<std::string_view> SplitAtNul(std::string_view key) {
  std::vector<std::string_view> parts;
  while (true) {
    const size_t end = key.find('\0');
    parts.push_back(key.substr(0, end));
    if (end == std::string_view::npos) return parts;
    key.remove_prefix(end + 1);
  }
}

}  // namespace

ListSortState& SortState() {
  static ListSortState state;
  return state;
}

void ListColumnClick(QWidget* window, ReportList* list, int32_t column, int32_t* shiftState,
                     int32_t* lastFittedColumn) {
  const int32_t state = *shiftState;
  *shiftState = 0;
  switch (state) {
    case 1:
      ToggleColumnFit(window, list, column, lastFittedColumn);
      break;
    case 4: {
      ColSort_Frm dialog(window);
      dialog.Disp_Frm(window, list, column);
      break;
    }
    case 2:
      FitColumnsToWidth(window, list, column, false);
      break;
    default:
      SortByColumn(list, column);
      break;
  }
}

void SortByColumn(ReportList* list, int32_t column) {
  ListSortState& state = SortState();
  state.SortList = list;
  Qt::SortOrder order = Qt::AscendingOrder;
  if (list->SortKey() == column - 1 && list->SortOrder() == Qt::AscendingOrder) {
    order = Qt::DescendingOrder;
  }
  state.SortSpec = list->ColumnTag(column);
  if (UsesListTextSort(state.SortSpec, column)) {
    list->SetSorting(column - 1, order, true);
    return;
  }
  list->SetSorting(column - 1, order, false);
  state.SortAscending = order == Qt::AscendingOrder;
  state.SortColumn = column;
  std::vector<RowSortKey> keys;
  for (const SpecKey& key : SpecKeys(state.SortSpec, column)) {
    keys.push_back({key.column, SortCodeOf(list->ColumnTag(key.column)),
                    Ascending(key.direction, state.SortAscending)});
  }
  list->ReorderRows(OrderRows(
      list->RowCount(),
      [list](int32_t row, int32_t keyColumn) { return SortText(list, row, keyColumn); }, keys));
}

std::string BuildSortKey(const ReportList* list, int32_t row, const std::string& spec) {
  if (row < 0 || row >= list->RowCount()) return "";
  std::string key;
  bool first = true;
  for (const SpecKey& part : SpecKeys(spec, SortState().SortColumn)) {
    if (!first) key += '\0';
    first = false;
    key += SortText(list, row, part.column);
  }
  return key;
}

int32_t CompareListItems(int32_t row1, int32_t row2, const ReportList* list) {
  const ListSortState& state = SortState();
  const std::string keyA = BuildSortKey(list, row1, state.SortSpec);
  const std::string keyB = BuildSortKey(list, row2, state.SortSpec);
  const std::vector<std::string_view> partsA = SplitAtNul(keyA);
  const std::vector<std::string_view> partsB = SplitAtNul(keyB);
  const std::vector<SpecKey> keys = SpecKeys(state.SortSpec, state.SortColumn);
  for (size_t k = 0; k < keys.size(); ++k) {
    const std::string_view a = k < partsA.size() ? partsA[k] : std::string_view();
    const std::string_view b = k < partsB.size() ? partsB[k] : std::string_view();
    const std::optional<int> result =
        CompareSortKeys(a, b, SortCodeOf(list->ColumnTag(keys[k].column)));
    if (!result) return 1;
    if (*result == 0) continue;
    const bool firstSortsFirst = Ascending(keys[k].direction, state.SortAscending) == (*result < 0);
    return firstSortsFirst ? 0 : 2;
  }
  return 1;
}

}  // namespace qv
