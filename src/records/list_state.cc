#include "records/list_state.h"

#include <array>

namespace qv {

namespace {

constexpr int32_t kFirstAutoSortList = 5;
constexpr int32_t kLastAutoSortList = 99;

std::array<ListState, kMaxListNumber + 1>& Table() {
  static std::array<ListState, kMaxListNumber + 1> table;
  return table;
}

}  // namespace

ListState& ListStateOf(int32_t list) {
  static ListState outside;
  if (list < 0 || list > kMaxListNumber) {
    outside = ListState();
    return outside;
  }
  return Table()[static_cast<size_t>(list)];
}

bool ListMayAutoSort(int32_t list) {
  return list >= kFirstAutoSortList && list <= kLastAutoSortList;
}

void ResetListStates() {
  for (ListState& state : Table()) {
    const uint64_t generation = state.generation + 1;
    state = ListState();
    state.generation = generation;
  }
}

}  // namespace qv
