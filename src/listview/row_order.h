#pragma once
// Sorting the rows of a list by typed keys. Each row's keys are built once before the sort,
// so a sort costs one key build per row and key, and comparisons read built keys only. No Qt.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "listview/sort_keys.h"

namespace qv {

/// One resolved key of a row sort: the column it reads, how it compares, which way.
struct RowSortKey {
  int32_t column = 0;  ///< 1-based; a column the rows do not have reads as ""
  SortCode code = SortCode::kText;
  bool ascending = true;
};

/// Reads the text of a row's cell in a 1-based column; the view must stay valid while the rows
/// are not changed.
using CellReader = std::function<std::string_view(int32_t row, int32_t column)>;

/// The rows 0 to rowCount - 1 in sorted order: the first key that differs decides, in its
/// direction; a number key that is not a number makes the pair equal (no further key is
/// asked); rows that compare equal keep their order.
std::vector<int32_t> OrderRows(int32_t rowCount, const CellReader& cell,
                               const std::vector<RowSortKey>& keys);

/// Compares two rows' cells by keys as OrderRows does: < 0 row a first, > 0 row b first, 0
/// equal.
int CompareRows(int32_t a, int32_t b, const CellReader& cell, const std::vector<RowSortKey>& keys);

/// Sorts order stably by compare (< 0: the first argument sorts first), with a merge sort
/// that stays within bounds whatever the comparison answers.
void StableMergeSort(std::vector<int32_t>* order,
                     const std::function<int(int32_t, int32_t)>& compare);

}  // namespace qv
