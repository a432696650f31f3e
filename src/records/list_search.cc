#include "records/list_search.h"

#include <algorithm>
#include <map>
#include <vector>

#include "records/list_state.h"
#include "records/record_list.h"
#include "records/record_text.h"
#include "services/list_store.h"
#include "services/record_fields.h"
#include "services/text_compare.h"

namespace qv {

namespace {

constexpr char kPathSeparator[] = "\\";
// Stands in for the last "\" in mode 1, so a file name sorts as part of its folder's name.
constexpr char kNameJoint[] = "\xC2\xAC";  // U+00AC
// The sort tags under which any tag may be searched by halves.
constexpr char kAnyFieldTags[] = "|sfield=";

int32_t LibraryCase(bool caseFlag) {
  return caseFlag ? -1 : 0;
}

std::string JoinNameToFolder(std::string path) {
  const size_t last = path.rfind('\\');
  if (last != std::string::npos) path.replace(last, 1, kNameJoint);
  return path;
}

// The first tag of a tag list: up to, not including, its second "|".
std::string LeadingTag(const std::string& sortTags) {
  return sortTags.substr(0, sortTags.find('|', 1));
}

// A bare key gets the leading tag in front, so it reads as a record.
std::string KeyRecordFor(const std::string& sortTags, const std::string& key) {
  if (sortTags.empty() || sortTags[0] != '|') return key;
  const std::string leading = LeadingTag(sortTags);
  return key.find(leading) == std::string::npos ? FieldText(leading, key) : key;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() &&
         stricText(std::string_view(text).substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

int32_t CompareFieldValues(std::string_view a, std::string_view b, FieldCompare mode,
                           bool caseFlag) {
  int32_t r = 0;
  if (!caseFlag) {
    r = strcText(a, b);
    if (r == 0) return 0;
  }
  if (a.empty()) return -1;
  if (b.empty()) return 1;
  switch (mode) {
    case FieldCompare::kText:
      return caseFlag ? stricText(a, b) : r;
    case FieldCompare::kNameInFolder:
      return CompareKeys(JoinNameToFolder(std::string(a)), JoinNameToFolder(std::string(b)),
                         kPathSeparator, LibraryCase(caseFlag));
    case FieldCompare::kPathParts:
      return CompareKeys(a, b, kPathSeparator, LibraryCase(caseFlag));
    case FieldCompare::kTrailingNumber: {
      if (!caseFlag) return r;
      std::string numericA;
      std::string numericB;
      FormatTrailingNumeric(a, &numericA);
      FormatTrailingNumeric(b, &numericB);
      return stricText(numericA, numericB);
    }
  }
  return caseFlag ? stricText(a, b) : r;
}

int32_t CompareKeyToItem(const std::string& sortTags, const std::string& keyRecord, int32_t list,
                         int32_t index, bool caseFlag) {
  if (sortTags.find('|') == std::string::npos) {
    return CompareFieldValues(keyRecord, ListGetItemField(list, index, sortTags),
                              FieldCompare::kPathParts, caseFlag);
  }
  for (std::string_view piece : SplitFieldTags(sortTags)) {
    const size_t equals = piece.find('=');
    const size_t tagEnd = equals == std::string_view::npos ? piece.size() : equals + 1;
    const std::string tag(piece.substr(0, tagEnd));
    const std::string field = ListGetItemField(list, index, tag);
    int32_t r;
    if (!keyRecord.empty()) {
      r = CompareFieldValues(GetFld(keyRecord, tag), field, FieldCompare::kPathParts, caseFlag);
    } else if (tagEnd < piece.size()) {
      r = CompareFieldValues(std::string(piece.substr(tagEnd)), field, FieldCompare::kPathParts,
                             caseFlag);
    } else {
      r = field.empty() ? 0 : 1;
    }
    if (r != 0) return r;
  }
  return 0;
}

int32_t ListFind(int32_t list, const std::string& tag, int32_t /*position*/, int32_t /*length*/,
                 const std::string& keyRecord, int32_t* index, int32_t lastIndex, bool caseFlag) {
  const std::string key = KeyRecordFor(tag, keyRecord);
  const int32_t count = ListCount(list);
  const int32_t limit = (lastIndex > 0 && lastIndex < count) ? lastIndex + 1 : count;
  return QuorvexListFind(list, 0, 0, tag, key, index, limit, 0, LibraryCase(caseFlag));
}

namespace {

// Every kFenceStep-th value of a long list sorted by one field, kept beside the list so a
// search first narrows to one stretch of kFenceStep records by looking only at this small,
// cache-resident array; then it reads records of that stretch alone. On a list of unique
// keys the result is the one the search over the whole list gives.
constexpr int32_t kFenceStep = 32;
constexpr int32_t kFenceMinimum = 4 * kFenceStep;

struct Fence {
  uint64_t generation = 0;
  std::string tag;
  bool caseFlag = false;
  // The tag's value of records 0, kFenceStep, 2 * kFenceStep..., one after another in one
  // block (starts[i] to starts[i + 1]), so the narrowing touches few cache lines.
  std::string values;
  std::vector<uint32_t> starts;

  size_t size() const { return starts.empty() ? 0 : starts.size() - 1; }
  std::string_view at(size_t i) const {
    return std::string_view(values).substr(starts[i], starts[i + 1] - starts[i]);
  }
};

std::map<int32_t, Fence>& Fences() {
  static std::map<int32_t, Fence> fences;
  return fences;
}

// The fence of a list for a one-tag search, built when the list changed since; null when
// the list is too short to need one or the search is not by one tag.
const Fence* FenceFor(int32_t list, const std::string& sortTags, bool caseFlag, int32_t count) {
  if (count < kFenceMinimum || list < 0 || list > kMaxListNumber) return nullptr;
  if (sortTags.size() < 3 || sortTags[0] != '|' || sortTags.back() != '=' ||
      sortTags.find('|', 1) != std::string::npos) {
    return nullptr;
  }
  const uint64_t generation = ListStateOf(list).generation;
  Fence& fence = Fences()[list];
  if (fence.generation != generation || fence.tag != sortTags || fence.caseFlag != caseFlag ||
      fence.size() == 0) {
    fence.generation = generation;
    fence.tag = sortTags;
    fence.caseFlag = caseFlag;
    fence.values.clear();
    fence.starts.assign(1, 0);
    for (int32_t i = 0; i < count; i += kFenceStep) {
      fence.values += ListGetItemField(list, i, sortTags);
      fence.starts.push_back(static_cast<uint32_t>(fence.values.size()));
    }
  }
  return &fence;
}

// Narrows [*low, *high] (the whole list) to the stretch between two fence values that holds
// the key; returns the index of an exact match on a fence value, or -1.
int32_t NarrowByFence(const Fence& fence, const std::string& keyValue, int32_t count, int32_t* low,
                      int32_t* high) {
  // The last fence value that does not sort after the key.
  size_t lo = 0;
  size_t hi = fence.size();
  while (lo < hi) {
    const size_t mid = (lo + hi) / 2;
    if (CompareFieldValues(keyValue, fence.at(mid), FieldCompare::kPathParts, fence.caseFlag) >=
        0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  if (lo == 0) return -1;  // before every record: the whole-list search says so itself
  const size_t at = lo - 1;
  if (CompareFieldValues(keyValue, fence.at(at), FieldCompare::kPathParts, fence.caseFlag) == 0) {
    return static_cast<int32_t>(at) * kFenceStep;
  }
  *low = static_cast<int32_t>(at) * kFenceStep;
  if (at + 1 < fence.size()) *high = std::min(count - 1, static_cast<int32_t>(at + 1) * kFenceStep);
  return -1;
}

// The first of the records from low to match that equal the key, match being one of them: in
// a sorted list the equal records stand together, so the first is found by halves.
int32_t FirstEqual(const std::string& sortTags, const std::string& keyRecord, int32_t list,
                   int32_t low, int32_t match, bool caseFlag) {
  while (low < match) {
    const int32_t mid = low + (match - low) / 2;
    if (CompareKeyToItem(sortTags, keyRecord, list, mid, caseFlag) > 0) {
      low = mid + 1;
    } else {
      match = mid;
    }
  }
  return match;
}

}  // namespace

int32_t ListSearch(int32_t list, const std::string& sortTags, const std::string& key,
                   bool insertionPoint, int32_t* firstIndex, int32_t lastIndex, bool caseFlag) {
  const int32_t n = ListCount(list);
  if (n == 0 || key.empty() || (*firstIndex >= 1 && *firstIndex > n)) return kSearchBeforeAll;
  const std::string keyRecord = KeyRecordFor(sortTags, key);

  ListState& state = ListStateOf(list);
  if (state.needs_sort) {
    if (!state.sort_tags.empty()) {
      ListSortFields(list, state.sort_tags, state.sort_option, 0);
    } else {
      ListSort(list);
    }
  }
  if (state.sort_tags.empty()) {
    int32_t index = 0;
    return ListFind(list, sortTags, 0, 0, keyRecord, &index, 0, caseFlag) > 0 ? index
                                                                              : kSearchBeforeAll;
  }
  if (!StartsWithNoCase(state.sort_tags, sortTags) && state.sort_tags != kAnyFieldTags) {
    return ListFind(list, sortTags, 0, 0, keyRecord, firstIndex, lastIndex, caseFlag) > 0
               ? *firstIndex
               : kSearchBeforeAll;
  }

  int32_t low = *firstIndex;
  int32_t high = (lastIndex >= 1 && lastIndex < n - 1) ? lastIndex : n - 1;
  if (low == 0 && high == n - 1) {
    if (const Fence* fence = FenceFor(list, sortTags, caseFlag, n)) {
      const int32_t exact = NarrowByFence(*fence, GetFld(keyRecord, sortTags), n, &low, &high);
      if (exact >= 0) return FirstEqual(sortTags, keyRecord, list, 0, exact, caseFlag);
      // Only a narrowed stretch is worth asking for; a key before every record is not.
      if (high - low <= kFenceStep) QuorvexListPrefetch(list, low, high);
    }
  }
  int32_t c = CompareKeyToItem(sortTags, keyRecord, list, low, caseFlag);
  if (c < 0) return kSearchBeforeAll;
  if (c == 0) return low;
  const int32_t first = low;
  c = CompareKeyToItem(sortTags, keyRecord, list, high, caseFlag);
  if (c == 0) return FirstEqual(sortTags, keyRecord, list, first, high, caseFlag);
  if (c > 0) return kSearchAfterAll;

  for (;;) {
    int32_t mid = (low + high) / 2;
    if (mid == low) {
      if (low == high) break;
      mid = low + 1;
      if (mid == high) break;
    } else if (mid == high) {
      mid = high - 1;
      if (mid == low) break;
    }
    c = CompareKeyToItem(sortTags, keyRecord, list, mid, caseFlag);
    if (c == 0) return FirstEqual(sortTags, keyRecord, list, first, mid, caseFlag);
    if (c < 0) {
      if (high == mid) break;
      high = mid;
    } else {
      if (low == mid) break;
      low = mid;
    }
  }
  return insertionPoint ? -(low + 3) : low;
}

}  // namespace qv
