#pragma once
// Header clicks and sorting of report lists. A plain click sorts by the column (again:
// the other way round), Shift+click fits the column to its contents, Ctrl+click shares the
// list's width from that column on, Alt+click opens the column sort dialog. The column's
// Tag says how it sorts (see sort_keys.h): by the list's own text order, or by typed keys
// built once per row.

#include <cstdint>
#include <string>

class QWidget;

namespace qv {

class ReportList;

/// The sort in progress; one for the program, a sort runs to completion before another.
struct ListSortState {
  ReportList* SortList = nullptr;  ///< the list being sorted
  std::string SortSpec;            ///< the clicked column's Tag
  int32_t SortColumn = 0;          ///< the clicked column (1-based)
  bool SortAscending = true;       ///< true when the list's current order is ascending
};

/// The program's sort state.
ListSortState& SortState();

/// A click on column of the list's header, by *shiftState (1 Shift, 2 Ctrl, 4 Alt exactly;
/// anything else is a plain click), which is reset to 0.
void ListColumnClick(QWidget* window, ReportList* list, int32_t column, int32_t* shiftState,
                     int32_t* lastFittedColumn);

/// Sorts by column: the other way round when it already is the list's sort column, else
/// ascending; by the list's own text order or by the keys of the column's Tag.
void SortByColumn(ReportList* list, int32_t column);

/// The texts a row sorts by under spec (see SpecKeys), joined by NUL characters; "" for a
/// row the list does not have. Reads SortState().SortColumn for empty keys.
std::string BuildSortKey(const ReportList* list, int32_t row, const std::string& spec);

/// Compares rows row1 and row2 of list under SortState(): 0 when row1 sorts first, 2 when
/// row2 does, 1 when every key is equal (or a number key is not a number).
int32_t CompareListItems(int32_t row1, int32_t row2, const ReportList* list);

}  // namespace qv
