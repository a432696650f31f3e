#pragma once
// Comparing and finding records in record lists by field (module Common_VbLb_Bas). Binary
// search relies on the list having been sorted by the same fields with the option "\",
// which ListSortFields remembers and ListSearch re-applies when the list changed since.

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

/// ListSearch result: no match, and nothing sorts before the key (or empty list or key).
inline constexpr int32_t kSearchBeforeAll = -1;
/// ListSearch result: the key sorts after the last candidate.
inline constexpr int32_t kSearchAfterAll = -2;

/// How CompareFieldValues compares two values.
enum class FieldCompare : int32_t {
  kText = 0,            ///< as texts
  kNameInFolder = 1,    ///< as paths, the name taken as part of its folder's name
  kTrailingNumber = 2,  ///< trailing numbers by value (when ignoring case; else as texts)
  kPathParts = 3,       ///< as paths, part by part
};

/// Compares two field values as mode says; caseFlag ignores case. An empty value sorts
/// first. < 0, 0 or > 0.
int32_t CompareFieldValues(std::string_view a, std::string_view b, FieldCompare mode,
                           bool caseFlag);
/// Compares keyRecord with the record at index by the tags of sortTags, in order
/// (sort tags without "|" compares keyRecord itself with that field); with an empty
/// keyRecord the tag list is a filter ("|3=1" wants field 3 to be 1, a bare "|3="
/// wants it empty) and 0 means the record passes.
int32_t CompareKeyToItem(const std::string& sortTags, const std::string& keyRecord, int32_t list,
                         int32_t index, bool caseFlag);
/// Scans from *index up to lastIndex (the whole list when lastIndex is 0) for a record
/// whose tagged fields equal those of keyRecord; > 0 when found, *index then the match.
/// position and length are not used: whole values are compared.
int32_t ListFind(int32_t list, const std::string& tag, int32_t position, int32_t length,
                 const std::string& keyRecord, int32_t* index, int32_t lastIndex, bool caseFlag);
/// Finds key (a bare value, or a record) by the tags of sortTags between *firstIndex
/// and lastIndex (0: the end). Returns the match's index; without one, with
/// insertionPoint: kSearchBeforeAll, kSearchAfterAll, or -(i + 3) where i is the record
/// just before the key; without insertionPoint: the index just before the key. A list not
/// sorted by these tags is scanned, which may move *firstIndex to the match. Where several
/// records hold the key, the first of them is the match, whatever the list's length.
int32_t ListSearch(int32_t list, const std::string& sortTags, const std::string& key,
                   bool insertionPoint, int32_t* firstIndex, int32_t lastIndex, bool caseFlag);

}  // namespace qv
