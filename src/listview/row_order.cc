#include "listview/row_order.h"

#include <algorithm>

namespace qv {
namespace {

// The keys of every row, built once: keys[k][row].
using BuiltKeys = std::vector<std::vector<SortableKey>>;

BuiltKeys BuildKeys(int32_t rowCount, const CellReader& cell, const std::vector<RowSortKey>& keys) {
  BuiltKeys built(keys.size());
  for (size_t k = 0; k < keys.size(); ++k) {
    built[k].reserve(static_cast<size_t>(rowCount));
    for (int32_t row = 0; row < rowCount; ++row) {
      built[k].push_back(MakeSortableKey(cell(row, keys[k].column), keys[k].code));
    }
  }
  return built;
}

int CompareBuilt(const BuiltKeys& built, const std::vector<RowSortKey>& keys, size_t a, size_t b) {
  for (size_t k = 0; k < keys.size(); ++k) {
    const std::optional<int> result = CompareSortableKeys(built[k][a], built[k][b], keys[k].code);
    if (!result) return 0;
    if (*result != 0) return keys[k].ascending ? *result : -*result;
  }
  return 0;
}

}  // namespace

void StableMergeSort(std::vector<int32_t>* order,
                     const std::function<int(int32_t, int32_t)>& compare) {
  std::vector<int32_t>& items = *order;
  const size_t n = items.size();
  std::vector<int32_t> buffer(n);
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t low = 0; low < n; low += 2 * width) {
      const size_t middle = std::min(low + width, n);
      const size_t high = std::min(low + 2 * width, n);
      size_t left = low, right = middle, out = low;
      while (left < middle && right < high) {
        // The right item goes first only when it sorts strictly before: equal items stay.
        buffer[out++] = compare(items[right], items[left]) < 0 ? items[right++] : items[left++];
      }
      while (left < middle) buffer[out++] = items[left++];
      while (right < high) buffer[out++] = items[right++];
    }
    items.swap(buffer);
  }
}

std::vector<int32_t> OrderRows(int32_t rowCount, const CellReader& cell,
                               const std::vector<RowSortKey>& keys) {
  std::vector<int32_t> order(static_cast<size_t>(std::max(rowCount, 0)));
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int32_t>(i);
  if (keys.empty() || order.size() < 2) return order;
  const BuiltKeys built = BuildKeys(rowCount, cell, keys);
  StableMergeSort(&order, [&](int32_t a, int32_t b) {
    return CompareBuilt(built, keys, static_cast<size_t>(a), static_cast<size_t>(b));
  });
  return order;
}

int CompareRows(int32_t a, int32_t b, const CellReader& cell, const std::vector<RowSortKey>& keys) {
  for (const RowSortKey& key : keys) {
    const std::optional<int> result =
        CompareSortKeys(cell(a, key.column), cell(b, key.column), key.code);
    if (!result) return 0;
    if (*result != 0) return key.ascending ? *result : -*result;
  }
  return 0;
}

}  // namespace qv
