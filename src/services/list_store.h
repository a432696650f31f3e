#pragma once
// The record lists of the maker's utility library: numbered lists of field-tagged records
// (see record_fields.h), kept for the whole run. Lists are identified by number (0 or
// more); indexes count from 0. All lists are global state of the one user-interface
// thread; nothing here locks.
//
// Records are kept compactly: one text block per list holding every record's characters,
// and a table of (offset, length) in list order. A record changed to a text no longer than
// before is rewritten in place (why records expecting changes carry a "|filler=" of
// blanks); space left behind is reclaimed once it outgrows half the block.
//
// Sorting is stable. A sort reads each record's sort keys once, orders the table by them,
// comparing with CompareKeys (text_compare.h), and rewrites the block in the new order, so
// records that sort near each other lie near each other for binary searches.

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

/// Defines list `list` and leaves it empty. expectedItems and expectedBytes are reserved
/// at the first add; once more than max(slackBytes, half the block) of the block is space
/// left behind by changes, it is compacted. Returns the list number, 0 for a negative number.
int32_t QuorvexListSetup(int32_t list, int32_t expectedItems, int32_t expectedBytes,
                         int32_t slackBytes);
/// Inserts record before index position (-1 or past the end: appends). Returns the new
/// record's index, -1 for an unknown list.
int32_t QuorvexListAddItem(int32_t list, std::string_view record, int32_t position);
/// Looks at the records from *index up to, not including, limit for one whose fields named
/// in tags (e.g. "|1=|3=") equal those of keyRecord; an empty tags compares whole records.
/// When length > 0 only `length` characters of each record's value from `position` are
/// compared. aux 0 asks for equal values, non-zero for record values that begin with the
/// key's. caseFlag non-zero ignores case. Returns 1 and sets *index to the match, 0 when
/// none matches, -1 for an unknown list.
int32_t QuorvexListFind(int32_t list, int32_t position, int32_t length, std::string_view tags,
                        std::string_view keyRecord, int32_t* index, int32_t limit, int32_t aux,
                        int32_t caseFlag);
/// Sorts the list stably by the value of field tag (whole records when tag is empty),
/// comparing like CompareKeys(a, b, separator, caseFlag); descending non-zero reverses.
/// Returns the count, -1 for an unknown list.
int32_t QuorvexListSort(int32_t list, std::string_view tag, int32_t descending,
                        std::string_view separator, int32_t caseFlag);
/// Sorts the list stably by the fields of sortTags in order ("|1=|3="), comparing each
/// like CompareKeys(a, b, option, number): option is the part separator ("\" for paths),
/// number non-zero ignores case. Returns the count, -1 for an unknown list.
int32_t QuorvexListSortFlds(int32_t list, std::string_view sortTags, std::string_view option,
                            int32_t number);
/// Copies the record at index into *buffer when it is shorter than size; returns its length,
/// 0 when there is no such record or it does not fit.
int32_t QuorvexListGetItem(int32_t list, int32_t index, std::string* buffer, int32_t size);
/// The length of the record at index; -1 when there is none.
int32_t QuorvexListGetItemSize(int32_t list, int32_t index);
/// Starts loading records first..last (inclusive) into the cache; changes nothing.
void QuorvexListPrefetch(int32_t list, int32_t first, int32_t last);
/// Replaces the record at index. Returns the index, -1 when there is no such record.
int32_t QuorvexListModifyItem(int32_t list, int32_t index, std::string_view record);
/// Removes the record at index. Returns the count left, -1 when there is no such record.
int32_t QuorvexListRemoveItem(int32_t list, int32_t index);
/// Forgets the list and its records. Returns 1, or 0 for an unknown list.
int32_t QuorvexListRemoveList(int32_t list);
/// Empties the list; it stays defined. Returns the count removed, -1 for an unknown list.
int32_t QuorvexListClear(int32_t list);
/// The number of records; 0 for an empty or unknown list.
int32_t QuorvexListCount(int32_t list);
/// -1 when the list is defined, 0 when not.
int32_t QuorvexListDefined(int32_t list);
/// Sets *record to a view of the record at index, for the library's own field readers;
/// the view is valid until the list next changes. False when there is no such record.
bool QuorvexListItemView(int32_t list, int32_t index, std::string_view* record);

}  // namespace qv
