#pragma once
// What the program keeps about each record list beside the library's records: whether it
// must be sorted before the next read, and by which fields it was last sorted, so reads
// see sorted lists and searches can be binary.

#include <cstdint>
#include <string>

namespace qv {

/// The highest list number the state table holds (numbers 0 to kMaxListNumber).
inline constexpr int32_t kMaxListNumber = 100;

/// The program's bookkeeping for one record list.
struct ListState {
  bool needs_sort = false;  ///< set by every add and modify, cleared by every sort
  bool auto_sort = false;   ///< a plain sort reorders the list (numbers 5 to 99 only)
  std::string sort_tags;    ///< tags of the last field sort, e.g. "|1=|3="
  std::string sort_option;  ///< option of the last field sort, e.g. "\"
  uint64_t generation = 0;  ///< changes with every change of the records or their order
  std::string built_for;    ///< the package the records were built from, "" when none
};

/// The state of list `list`, live for the whole run. Numbers outside 0..kMaxListNumber get
/// a blank state that keeps nothing, as no list of the program has such a number.
ListState& ListStateOf(int32_t list);
/// True when list numbers 5 to 99 may keep the auto-sort flag given at setup.
bool ListMayAutoSort(int32_t list);
/// Gives every list of the table a blank state; generations keep counting, so nothing cached
/// for an earlier generation is taken for current.
void ResetListStates();

}  // namespace qv
