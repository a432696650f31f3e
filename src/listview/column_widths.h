#pragma once
// Column widths of a report list: a new column as wide as its title, the width a column's
// contents need, sharing the list's width, and the Shift+click fit of one column.

#include <cstdint>
#include <string>

class QWidget;

namespace qv {

class ReportList;

/// Adds a column as wide as title in the list's font, with sortCode as its Tag.
/// columnNumber is not used: columns are numbered in the order they are added.
void AddColumn(ReportList* list, const std::string& title, int32_t columnNumber,
               const std::string& sortCode);

/// The widest text of column over all rows in the list's font + 200 twips; empty cells are
/// measured too unless skipEmpty, which gives 0 for a column with no text at all.
int32_t ColumnContentWidth(const ReportList* list, int32_t column, bool skipEmpty);

/// Shares the list's width among its first 100 columns by what their contents need (see
/// ShareListWidth); startColumn weighs how much room the columns get.
void FitColumnsToWidth(QWidget* window, ReportList* list, int32_t startColumn, bool skipEmpty);

/// The Shift+click on a column of a list with rows: fits the column to its contents, or,
/// when it already is within 100 twips of that, narrows it to five letters "D". The layout is
/// stored first; a second click on the column last fitted (*lastFittedColumn) first restores
/// the stored layout when the other columns changed since. *lastFittedColumn = column.
void ToggleColumnFit(QWidget* window, ReportList* list, int32_t column, int32_t* lastFittedColumn);

}  // namespace qv
