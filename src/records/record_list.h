#pragma once
// The program's record-list operations over the utility library's lists (module
// Common_VbLb_Bas). They keep the list state table (list_state.h) so that reads always see
// a sorted list: adds and changes only mark a list, and the next read sorts it.
// No operation reports an error: failures read as empty texts and zero counts.

#include <cstdint>
#include <string>

namespace qv {

/// Makes list a fresh, empty list: removes it when it still holds records, and stores the
/// auto-sort choice (honoured only for numbers 5 to 99). List 0 (no list) is left alone.
void ListSetup(int32_t list, bool autoSort);
/// Appends record and marks the list for sorting; the library's result (the new index).
int32_t ListAddItem(int32_t list, const std::string& record);
/// Removes the record at index; the library's result (the count left, -1 for no record).
int32_t ListRemoveItem(int32_t list, int32_t index);
/// Replaces the record at index and marks the list for sorting; the library's result.
int32_t ListModifyItem(int32_t list, const std::string& record, int32_t index);
/// Empties a list that holds records.
void ListClear(int32_t list);
/// Forgets a list that holds records.
void ListRemove(int32_t list);
/// True when the library knows the list.
bool ListDefined(int32_t list);
/// The number of records; 0 for an unknown list.
int32_t ListCount(int32_t list);
/// The record's size plus 4, the room a reader reserves for it.
int32_t ListItemSize(int32_t list, int32_t index);
/// The record at index after any pending sort, or empty.
std::string ListGetItem(int32_t list, int32_t index);
/// The value of field tag of the record at index, or empty; does not sort.
std::string ListGetItemField(int32_t list, int32_t index, const std::string& tag);
/// Clears the pending sort; an auto-sorted list also forgets its field sort and is sorted by
/// whole records, any other list keeps its order.
void ListSort(int32_t list);
/// Sorts by the fields of sortTags ("|1=|3="), option being the part separator ("\")
/// and number non-zero ignoring case, and remembers sortTags and option for searches.
void ListSortFields(int32_t list, const std::string& sortTags, const std::string& option,
                    int32_t number);
/// Forgets every list the state table numbers (0 to kMaxListNumber) with its records and its
/// state.
void ResetRecordLists();

}  // namespace qv
