#include "listview/list_layout.h"

#include <QWidget>

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

#include "app/window_layout.h"
#include "listview/column_widths.h"
#include "listview/report_list.h"
#include "listview/sort_keys.h"
#include "records/record_text.h"
#include "services/registry_functions.h"
#include "services/text_case.h"

namespace qv {
namespace {

// Stored layouts are read into 2000 characters.
constexpr int32_t kLayoutValueSize = 2000;

std::string ReadValue(const std::string& key, const std::string& name) {
  std::string buffer;
  if (GetREGString(key, name, &buffer, kLayoutValueSize) <= 0) return "";
  return buffer.substr(0, buffer.find('\0'));
}

std::string Field(const std::string& record, int32_t column) {
  return GetFld(record, "|" + std::to_string(column) + "=");
}

// A stored width: digits only; anything else ends the restore.
bool ReadWidth(const std::string& text, int32_t* width) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *width);
  return error == std::errc() && end == text.data() + text.size() && *width >= 0;
}

}  // namespace

std::string ListLayoutKey(const QWidget* window, const ReportList* list,
                          const std::string& suffix) {
  std::string below = list->objectName().toStdString();
  if (!suffix.empty()) below += "\\" + suffix;
  return DisplayKeyPath(window != nullptr ? window->objectName().toStdString() : "", below);
}

void SaveListLayout(QWidget* window, ReportList* list, const std::string& suffix,
                    int32_t* skipColumn) {
  const int32_t count = list->ColumnCount();
  if (count == 0) return;
  const std::string key = ListLayoutKey(window, list, suffix);
  const std::string stored = ReadValue(key, "Width");
  const bool positions = list->AllowColumnReorder();
  std::string widths, posn, sort;
  bool changed = false;
  for (int32_t column = 1; column <= count; ++column) {
    const std::string tag = "|" + std::to_string(column) + "=";
    const std::string width = std::to_string(list->ColumnWidth(column));
    if (column != *skipColumn && !SameText(Field(stored, column), width)) changed = true;
    widths += tag + width;
    if (positions) posn += tag + std::to_string(list->ColumnPosition(column));
    sort += tag + list->ColumnTag(column);
  }
  if (changed || *skipColumn == 0) SaveREGString(key, "Width", widths, 1, 1);
  SaveREGString(key, "Posn", posn, 1, 1);
  SaveREGString(key, "Sort", sort, 1, 1);
  *skipColumn = 0;
}

bool RestoreListLayout(QWidget* window, ReportList* list, const std::string& suffix) {
  const int32_t count = list->ColumnCount();
  const std::string key = ListLayoutKey(window, list, suffix);
  const std::string widths = ReadValue(key, "Width");
  if (widths.empty()) {
    FitColumnsToWidth(window, list, count / 2, false);
    int32_t skip = count;
    SaveListLayout(window, list, suffix, &skip);
    return false;
  }
  const std::string posn = ReadValue(key, "Posn");
  const std::string sort = ReadValue(key, "Sort");
  int64_t total = 0;
  std::vector<std::pair<int32_t, int32_t>> moves;  // (position, column)
  for (int32_t column = 1; column <= count; ++column) {
    const std::string width = Field(widths, column);
    if (!width.empty()) {
      int32_t twips = 0;
      if (!ReadWidth(width, &twips)) return false;
      list->SetColumnWidth(column, twips);
      total += twips;
    }
    const std::string position = Field(posn, column);
    if (!position.empty()) {
      const int64_t value = WholeValue(position);
      if (value >= 1 && value <= count) moves.emplace_back(static_cast<int32_t>(value), column);
    }
    const std::string tag = Field(sort, column);
    if (!tag.empty()) list->SetColumnTag(column, tag);
  }
  // Placed from the left, each column's move leaves those already placed where they are.
  std::stable_sort(moves.begin(), moves.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [position, column] : moves) list->SetColumnPosition(column, position);

  const int64_t listWidth = list->ListWidth();
  if (listWidth > total && (listWidth - total) * 100 / listWidth < 80) {
    FitColumnsToWidth(window, list, count, false);
  }
  if (list->isVisible()) list->viewport()->update();
  return true;
}

bool ListWidthsChanged(QWidget* window, ReportList* list, const std::string& suffix,
                       int32_t skipColumn) {
  const std::string stored = ReadValue(ListLayoutKey(window, list, suffix), "Width");
  for (int32_t column = 1; column <= list->ColumnCount(); ++column) {
    if (column == skipColumn) continue;
    if (!SameText(Field(stored, column), std::to_string(list->ColumnWidth(column)))) return true;
  }
  return false;
}

}  // namespace qv
