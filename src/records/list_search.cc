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
// The sort specification under which any tag may be searched by halves.
constexpr char kAnyFieldSpecification[] = "|sfield=";

int32_t LibraryCase(bool case_flag) {
  return case_flag ? -1 : 0;
}

std::string JoinNameToFolder(std::string path) {
  const size_t last = path.rfind('\\');
  if (last != std::string::npos) path.replace(last, 1, kNameJoint);
  return path;
}

// The first tag of a tag list: up to, not including, its second "|".
std::string LeadingTag(const std::string& specification) {
  return specification.substr(0, specification.find('|', 1));
}

// A bare key gets the leading tag in front, so it reads as a record.
std::string KeyRecordFor(const std::string& specification, const std::string& key) {
  if (specification.empty() || specification[0] != '|') return key;
  const std::string leading = LeadingTag(specification);
  return key.find(leading) == std::string::npos ? leading + key : key;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() &&
         stricText(std::string_view(text).substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

int32_t CompareFieldValues(std::string_view a, std::string_view b, int32_t mode, bool case_flag) {
  int32_t r = 0;
  if (!case_flag) {
    r = strcText(a, b);
    if (r == 0) return 0;
  }
  if (a.empty()) return -1;
  if (b.empty()) return 1;
  switch (mode) {
    case 0:
      return case_flag ? stricText(a, b) : r;
    case 1:
      return CompareKeys(JoinNameToFolder(std::string(a)), JoinNameToFolder(std::string(b)),
                         kPathSeparator, LibraryCase(case_flag));
    case 3:
      return CompareKeys(a, b, kPathSeparator, LibraryCase(case_flag));
    case 2: {
      if (!case_flag) return r;
      std::string numeric_a;
      std::string numeric_b;
      FormatTrailingNumeric(a, &numeric_a);
      FormatTrailingNumeric(b, &numeric_b);
      return stricText(numeric_a, numeric_b);
    }
    default:
      return case_flag ? stricText(a, b) : r;
  }
}

int32_t CompareKeyToItem(const std::string& specification, const std::string& key_record,
                         int32_t list, int32_t index, bool case_flag) {
  if (specification.find('|') == std::string::npos) {
    return CompareFieldValues(key_record, ListGetItemField(list, index, specification), 3,
                              case_flag);
  }
  for (std::string_view piece : SplitFieldTags(specification)) {
    const size_t equals = piece.find('=');
    const size_t tag_end = equals == std::string_view::npos ? piece.size() : equals + 1;
    const std::string tag(piece.substr(0, tag_end));
    const std::string field = ListGetItemField(list, index, tag);
    int32_t r;
    if (!key_record.empty()) {
      r = CompareFieldValues(GetFld(key_record, tag), field, 3, case_flag);
    } else if (tag_end < piece.size()) {
      r = CompareFieldValues(std::string(piece.substr(tag_end)), field, 3, case_flag);
    } else {
      r = field.empty() ? 0 : 1;
    }
    if (r != 0) return r;
  }
  return 0;
}

int32_t ListFind(int32_t list, const std::string& tag, int32_t /*position*/, int32_t /*length*/,
                 const std::string& key_record, int32_t* index, int32_t last_index,
                 bool case_flag) {
  const std::string key = KeyRecordFor(tag, key_record);
  const int32_t count = ListCount(list);
  const int32_t limit = (last_index > 0 && last_index < count) ? last_index + 1 : count;
  return QuorvexListFind(list, 0, 0, tag, key, index, limit, 0, LibraryCase(case_flag));
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
  bool case_flag = false;
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
const Fence* FenceFor(int32_t list, const std::string& specification, bool case_flag,
                      int32_t count) {
  if (count < kFenceMinimum || list < 0 || list > kMaxListNumber) return nullptr;
  if (specification.size() < 3 || specification[0] != '|' || specification.back() != '=' ||
      specification.find('|', 1) != std::string::npos) {
    return nullptr;
  }
  const uint64_t generation = ListStateOf(list).generation;
  Fence& fence = Fences()[list];
  if (fence.generation != generation || fence.tag != specification ||
      fence.case_flag != case_flag || fence.size() == 0) {
    fence.generation = generation;
    fence.tag = specification;
    fence.case_flag = case_flag;
    fence.values.clear();
    fence.starts.assign(1, 0);
    for (int32_t i = 0; i < count; i += kFenceStep) {
      fence.values += ListGetItemField(list, i, specification);
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
    if (CompareFieldValues(keyValue, fence.at(mid), 3, fence.case_flag) >= 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  if (lo == 0) return -1;  // before every record: the whole-list search says so itself
  const size_t at = lo - 1;
  if (CompareFieldValues(keyValue, fence.at(at), 3, fence.case_flag) == 0) {
    return static_cast<int32_t>(at) * kFenceStep;
  }
  *low = static_cast<int32_t>(at) * kFenceStep;
  if (at + 1 < fence.size()) *high = std::min(count - 1, static_cast<int32_t>(at + 1) * kFenceStep);
  return -1;
}

}  // namespace

int32_t ListSearch(int32_t list, const std::string& specification, const std::string& key,
                   bool insertion_point, int32_t* first_index, int32_t last_index, bool case_flag) {
  const int32_t n = ListCount(list);
  if (n == 0 || key.empty() || (*first_index >= 1 && *first_index > n)) return kSearchBeforeAll;
  const std::string key_record = KeyRecordFor(specification, key);

  ListState& state = ListStateOf(list);
  if (state.needs_sort) {
    if (!state.sort_specification.empty()) {
      ListSortFields(list, state.sort_specification, state.sort_option, 0);
    } else {
      ListSort(list);
    }
  }
  if (state.sort_specification.empty()) {
    int32_t index = 0;
    return ListFind(list, specification, 0, 0, key_record, &index, 0, case_flag) > 0
               ? index
               : kSearchBeforeAll;
  }
  if (!StartsWithNoCase(state.sort_specification, specification) &&
      state.sort_specification != kAnyFieldSpecification) {
    return ListFind(list, specification, 0, 0, key_record, first_index, last_index, case_flag) > 0
               ? *first_index
               : kSearchBeforeAll;
  }

  int32_t low = *first_index;
  int32_t high = (last_index >= 1 && last_index < n - 1) ? last_index : n - 1;
  if (low == 0 && high == n - 1) {
    if (const Fence* fence = FenceFor(list, specification, case_flag, n)) {
      const int32_t exact =
          NarrowByFence(*fence, GetFld(key_record, specification), n, &low, &high);
      if (exact >= 0) return exact;
      QuorvexListPrefetch(list, low, high);
    }
  }
  int32_t c = CompareKeyToItem(specification, key_record, list, low, case_flag);
  if (c < 0) return kSearchBeforeAll;
  if (c == 0) return low;
  c = CompareKeyToItem(specification, key_record, list, high, case_flag);
  if (c == 0) return high;
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
    c = CompareKeyToItem(specification, key_record, list, mid, case_flag);
    if (c == 0) return mid;
    if (c < 0) {
      if (high == mid) break;
      high = mid;
    } else {
      if (low == mid) break;
      low = mid;
    }
  }
  return insertion_point ? -(low + 3) : low;
}

}  // namespace qv
