#include "records/list_state.h"

#include <array>

namespace qv {

namespace {

constexpr int32_t kFirstAutoSortList = 5;
constexpr int32_t kLastAutoSortList = 99;

}  // namespace

ListState& ListStateOf(int32_t list) {
  static std::array<ListState, kMaxListNumber + 1> table;
  static ListState outside;
  if (list < 0 || list > kMaxListNumber) {
    outside = ListState();
    return outside;
  }
  return table[static_cast<size_t>(list)];
}

bool ListMayAutoSort(int32_t list) {
  return list >= kFirstAutoSortList && list <= kLastAutoSortList;
}

}  // namespace qv
