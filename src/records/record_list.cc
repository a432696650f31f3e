#include "records/record_list.h"

#include "records/list_state.h"
#include "services/list_store.h"
#include "services/record_fields.h"

namespace qv {

namespace {

// What every list is set up with; the library takes them as capacity hints.
constexpr int32_t kSetupItems = 100000;
constexpr int32_t kSetupBytes = 300000;
constexpr int32_t kSetupSlack = 5000;

// Room GetRecFldC is given beyond ListItemSize.
constexpr int32_t kFieldBufferExtra = 8;

std::string FirstChars(const std::string& buffer, int32_t n) {
  return n > 0 ? buffer.substr(0, static_cast<size_t>(n)) : std::string();
}

}  // namespace

void ListSetup(int32_t list, bool autoSort) {
  if (list == 0) return;
  if (ListDefined(list)) ListRemove(list);
  QuorvexListSetup(list, kSetupItems, kSetupBytes, kSetupSlack);
  ++ListStateOf(list).generation;
  ListStateOf(list).auto_sort = ListMayAutoSort(list) && autoSort;
}

int32_t ListAddItem(int32_t list, const std::string& record) {
  ListStateOf(list).needs_sort = true;
  ++ListStateOf(list).generation;
  return QuorvexListAddItem(list, record, -1);
}

int32_t ListRemoveItem(int32_t list, int32_t index) {
  ++ListStateOf(list).generation;
  return QuorvexListRemoveItem(list, index);
}

int32_t ListModifyItem(int32_t list, const std::string& record, int32_t index) {
  ListStateOf(list).needs_sort = true;
  ++ListStateOf(list).generation;
  return QuorvexListModifyItem(list, index, record);
}

void ListClear(int32_t list) {
  ++ListStateOf(list).generation;
  if (ListCount(list) > 0) QuorvexListClear(list);
}

void ListRemove(int32_t list) {
  ++ListStateOf(list).generation;
  if (ListCount(list) > 0) QuorvexListRemoveList(list);
}

bool ListDefined(int32_t list) {
  return QuorvexListDefined(list) == -1;
}

int32_t ListCount(int32_t list) {
  return QuorvexListCount(list);
}

int32_t ListItemSize(int32_t list, int32_t index) {
  return QuorvexListGetItemSize(list, index) + 4;
}

std::string ListGetItem(int32_t list, int32_t index) {
  if (index < 0) return std::string();
  if (ListStateOf(list).needs_sort) ListSort(list);
  const int32_t size = QuorvexListGetItemSize(list, index);
  if (size <= 0) return std::string();
  std::string buffer(static_cast<size_t>(size) + 1, '\0');
  return FirstChars(buffer, QuorvexListGetItem(list, index, &buffer, size + 1));
}

std::string ListGetItemField(int32_t list, int32_t index, const std::string& tag) {
  if (index >= ListCount(list)) return std::string();
  const int32_t size = ListItemSize(list, index);
  const int32_t length = size + kFieldBufferExtra;
  std::string buffer(static_cast<size_t>(length > 0 ? length : 0), '\0');
  return FirstChars(buffer, GetRecFldC(list, index, &buffer, length, tag));
}

void ListSort(int32_t list) {
  ListState& state = ListStateOf(list);
  state.needs_sort = false;
  if (!state.auto_sort) return;
  ++state.generation;
  state.sort_tags.clear();
  QuorvexListSort(list, "", 0, "", 0);
}

void ListSortFields(int32_t list, const std::string& sortTags, const std::string& option,
                    int32_t number) {
  ListState& state = ListStateOf(list);
  state.needs_sort = false;
  ++state.generation;
  state.sort_tags = sortTags;
  state.sort_option = option;
  QuorvexListSortFlds(list, sortTags, option, number);
}

void ResetRecordLists() {
  for (int32_t list = 0; list <= kMaxListNumber; ++list) QuorvexListRemoveList(list);
  ResetListStates();
}

}  // namespace qv
