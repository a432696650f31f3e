#include "services/list_store.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <numeric>
#include <unordered_map>
#include <vector>

#include "services/record_fields.h"
#include "services/text_compare.h"

namespace qv {

namespace {

// One list: every record's characters in one block, and where each record sits in it.
class RecordList {
 public:
  void SetHints(int32_t items, int32_t bytes, int32_t slack) {
    m_expected_items = std::max(items, 0);
    m_expected_bytes = std::max(bytes, 0);
    m_slack = static_cast<size_t>(std::max(slack, 0));
  }

  size_t Count() const { return m_slots.size(); }

  std::string_view At(size_t i) const {
    const Slot slot = m_slots[i];
    const uint64_t at = OffsetOf(slot);
    const uint32_t length = LengthField(slot);
    if (length != kLongRecord) return std::string_view(m_text.data() + at, length);
    return std::string_view(m_text.data() + at + kLengthPrefix, LongLength(slot));
  }

  void Insert(size_t position, std::string_view record) {
    if (m_slots.capacity() == 0) {
      m_slots.reserve(static_cast<size_t>(m_expected_items));
      m_text.reserve(static_cast<size_t>(m_expected_bytes));
    }
    const Slot slot = Append(record);
    m_slots.insert(m_slots.begin() + static_cast<std::ptrdiff_t>(position), slot);
  }

  void Replace(size_t i, std::string_view record) {
    Slot& slot = m_slots[i];
    const uint32_t length = LengthField(slot);
    if (length != kLongRecord && record.size() <= length) {
      m_text.replace(OffsetOf(slot), record.size(), record);
      m_garbage += length - record.size();
      slot = MakeSlot(OffsetOf(slot), static_cast<uint32_t>(record.size()));
    } else {
      m_garbage += StoredSize(slot);
      slot = Append(record);
    }
    CompactIfWasteful();
  }

  void Erase(size_t i) {
    m_garbage += StoredSize(m_slots[i]);
    m_slots.erase(m_slots.begin() + static_cast<std::ptrdiff_t>(i));
    CompactIfWasteful();
  }

  void Clear() {
    m_slots.clear();
    m_text.clear();
    m_garbage = 0;
  }

  // Puts the record that was at order[i] at position i. Only the table of where records sit
  // is permuted: the records themselves stay where they are in the block, so sorting a large
  // list (the file list of a 50,000-file package) moves no text and touches no new pages.
  void Reorder(const std::vector<uint32_t>& order) {
    std::vector<Slot> slots;
    slots.reserve(m_slots.size());
    for (uint32_t from : order) slots.push_back(m_slots[from]);
    m_slots.swap(slots);
  }

 private:
  // Where a record sits: its offset in the block (high 40 bits) and its length (low 24
  // bits). Eight bytes a record keep the table of a million records small enough to stay
  // mostly in cache. A record of kLongRecord characters or more has the length field
  // kLongRecord and its real length in the kLengthPrefix bytes in front of its text.
  struct Slot {
    uint64_t bits;
  };
  static constexpr uint32_t kLongRecord = 0xFFFFFF;
  static constexpr size_t kLengthPrefix = sizeof(uint32_t);

  static Slot MakeSlot(uint64_t offset, uint32_t lengthField) {
    return Slot{offset << 24 | lengthField};
  }
  static uint64_t OffsetOf(Slot slot) { return slot.bits >> 24; }
  static uint32_t LengthField(Slot slot) { return static_cast<uint32_t>(slot.bits & kLongRecord); }

  uint32_t LongLength(Slot slot) const {
    uint32_t length;
    std::memcpy(&length, m_text.data() + OffsetOf(slot), kLengthPrefix);
    return length;
  }

  // The characters the record takes in the block, length prefix included.
  size_t StoredSize(Slot slot) const {
    const uint32_t length = LengthField(slot);
    return length != kLongRecord ? length : kLengthPrefix + LongLength(slot);
  }

  Slot Append(std::string_view record) {
    const uint64_t at = m_text.size();
    const auto length = static_cast<uint32_t>(record.size());
    if (length < kLongRecord) {
      m_text.append(record);
      return MakeSlot(at, length);
    }
    m_text.append(reinterpret_cast<const char*>(&length), kLengthPrefix);
    m_text.append(record);
    return MakeSlot(at, kLongRecord);
  }

  // Copies a stored record to the end of *text; returns where it now sits.
  Slot CopyTo(Slot slot, std::string* text) const {
    const uint64_t at = text->size();
    text->append(m_text, OffsetOf(slot), StoredSize(slot));
    return MakeSlot(at, LengthField(slot));
  }

  void CompactIfWasteful() {
    if (m_garbage <= m_slack || m_garbage <= m_text.size() / 2) return;
    std::string text;
    text.reserve(m_text.size() - m_garbage);
    for (Slot& slot : m_slots) slot = CopyTo(slot, &text);
    m_text.swap(text);
    m_garbage = 0;
  }

  std::string m_text;
  std::vector<Slot> m_slots;
  size_t m_garbage = 0;
  int32_t m_expected_items = 0;
  int32_t m_expected_bytes = 0;
  size_t m_slack = 0;
};

std::unordered_map<int32_t, RecordList>& Lists() {
  static std::unordered_map<int32_t, RecordList> lists;
  return lists;
}

RecordList* Find(int32_t list) {
  auto it = Lists().find(list);
  return it == Lists().end() ? nullptr : &it->second;
}

bool ValidIndex(const RecordList& records, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < records.Count();
}

// The sort keys of every record, read once: keys[i * width + j] is key j of record i. Keys
// view the list's block, or `owned` when a quoted value had to be rewritten.
struct SortKeys {
  size_t width = 0;
  std::vector<std::string_view> keys;
  std::deque<std::string> owned;
};

SortKeys ReadSortKeys(const RecordList& records, const std::vector<std::string_view>& tags) {
  SortKeys result;
  result.width = std::max<size_t>(tags.size(), 1);
  result.keys.reserve(records.Count() * result.width);
  std::string scratch;
  for (size_t i = 0; i < records.Count(); ++i) {
    const std::string_view record = records.At(i);
    if (tags.empty()) {
      result.keys.push_back(record);
      continue;
    }
    for (std::string_view tag : tags) {
      scratch.clear();
      std::string_view value = UnquotedValue(FindField(record, tag), &scratch);
      if (!value.empty() && value.data() == scratch.data()) {
        result.owned.push_back(std::move(scratch));
        value = result.owned.back();
        scratch = std::string();
      }
      result.keys.push_back(value);
    }
  }
  return result;
}

int32_t SortByKeys(RecordList* records, const std::vector<std::string_view>& tags,
                   std::string_view separator, int32_t caseFlag, bool descending) {
  const SortKeys sortKeys = ReadSortKeys(*records, tags);
  const size_t width = sortKeys.width;
  const std::string_view* keys = sortKeys.keys.data();
  std::vector<uint32_t> order(records->Count());
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    for (size_t j = 0; j < width; ++j) {
      const int32_t r = CompareKeys(keys[a * width + j], keys[b * width + j], separator, caseFlag);
      if (r != 0) return descending ? r > 0 : r < 0;
    }
    return false;
  });
  records->Reorder(order);
  return static_cast<int32_t>(records->Count());
}

bool ValuesMatch(std::string_view value, std::string_view key, bool prefix, bool ignoreCase) {
  if (prefix) {
    if (value.size() < key.size()) return false;
    value = value.substr(0, key.size());
  }
  return (ignoreCase ? stricText(value, key) : strcText(value, key)) == 0;
}

std::string_view Window(std::string_view value, int32_t position, int32_t length) {
  if (length <= 0) return value;
  const size_t from = std::min(static_cast<size_t>(std::max(position, 0)), value.size());
  return value.substr(from, static_cast<size_t>(length));
}

}  // namespace

int32_t QuorvexListSetup(int32_t list, int32_t expectedItems, int32_t expectedBytes,
                         int32_t slackBytes) {
  if (list < 0) return 0;
  RecordList& records = Lists()[list];
  records.Clear();
  records.SetHints(expectedItems, expectedBytes, slackBytes);
  return list;
}

int32_t QuorvexListAddItem(int32_t list, std::string_view record, int32_t position) {
  RecordList* records = Find(list);
  if (records == nullptr) return -1;
  size_t at = records->Count();
  if (position >= 0 && static_cast<size_t>(position) < at) at = static_cast<size_t>(position);
  records->Insert(at, record);
  return static_cast<int32_t>(at);
}

int32_t QuorvexListFind(int32_t list, int32_t position, int32_t length, std::string_view tags,
                        std::string_view keyRecord, int32_t* index, int32_t limit, int32_t aux,
                        int32_t caseFlag) {
  const RecordList* records = Find(list);
  if (records == nullptr) return -1;
  const bool prefix = aux != 0;
  const bool ignoreCase = caseFlag != 0;
  const std::vector<std::string_view> tagList = SplitFieldTags(tags);
  std::vector<std::string> keyValues;
  for (std::string_view tag : tagList) {
    std::string scratch;
    keyValues.emplace_back(UnquotedValue(FindField(keyRecord, tag), &scratch));
  }
  const size_t end = std::min(static_cast<size_t>(std::max(limit, 0)), records->Count());
  std::string scratch;
  for (size_t i = static_cast<size_t>(std::max(*index, 0)); i < end; ++i) {
    const std::string_view record = records->At(i);
    bool match = true;
    if (tagList.empty()) {
      match = ValuesMatch(Window(record, position, length), keyRecord, prefix, ignoreCase);
    }
    for (size_t j = 0; match && j < tagList.size(); ++j) {
      const std::string_view value = UnquotedValue(FindField(record, tagList[j]), &scratch);
      match = ValuesMatch(Window(value, position, length), keyValues[j], prefix, ignoreCase);
    }
    if (match) {
      *index = static_cast<int32_t>(i);
      return 1;
    }
  }
  return 0;
}

int32_t QuorvexListSort(int32_t list, std::string_view tag, int32_t descending,
                        std::string_view separator, int32_t caseFlag) {
  RecordList* records = Find(list);
  if (records == nullptr) return -1;
  std::vector<std::string_view> tags;
  if (!tag.empty()) tags.push_back(tag);
  return SortByKeys(records, tags, separator, caseFlag, descending != 0);
}

int32_t QuorvexListSortFlds(int32_t list, std::string_view sortTags, std::string_view option,
                            int32_t number) {
  RecordList* records = Find(list);
  if (records == nullptr) return -1;
  return SortByKeys(records, SplitFieldTags(sortTags), option, number, false);
}

int32_t QuorvexListGetItem(int32_t list, int32_t index, std::string* buffer, int32_t size) {
  std::string_view record;
  if (!QuorvexListItemView(list, index, &record) || record.size() >= static_cast<size_t>(size)) {
    buffer->clear();
    return 0;
  }
  buffer->assign(record);
  return static_cast<int32_t>(record.size());
}

int32_t QuorvexListGetItemSize(int32_t list, int32_t index) {
  std::string_view record;
  if (!QuorvexListItemView(list, index, &record)) return -1;
  // Callers ask the size to read the record next: start fetching it from memory now.
  __builtin_prefetch(record.data());
  return static_cast<int32_t>(record.size());
}

void QuorvexListPrefetch(int32_t list, int32_t first, int32_t last) {
  RecordList* records = Find(list);
  if (records == nullptr || first < 0 || last < first) return;
  const size_t end = std::min(records->Count(), static_cast<size_t>(last) + 1);
  // Asks for every record of the range at once, so their cache misses overlap instead of
  // coming one after another as a search reads them.
  for (size_t i = static_cast<size_t>(first); i < end; ++i) {
    __builtin_prefetch(records->At(i).data());
  }
}

int32_t QuorvexListModifyItem(int32_t list, int32_t index, std::string_view record) {
  RecordList* records = Find(list);
  if (records == nullptr || !ValidIndex(*records, index)) return -1;
  records->Replace(static_cast<size_t>(index), record);
  return index;
}

int32_t QuorvexListRemoveItem(int32_t list, int32_t index) {
  RecordList* records = Find(list);
  if (records == nullptr || !ValidIndex(*records, index)) return -1;
  records->Erase(static_cast<size_t>(index));
  return static_cast<int32_t>(records->Count());
}

int32_t QuorvexListRemoveList(int32_t list) {
  return Lists().erase(list) > 0 ? 1 : 0;
}

int32_t QuorvexListClear(int32_t list) {
  RecordList* records = Find(list);
  if (records == nullptr) return -1;
  const auto count = static_cast<int32_t>(records->Count());
  records->Clear();
  return count;
}

int32_t QuorvexListCount(int32_t list) {
  const RecordList* records = Find(list);
  return records == nullptr ? 0 : static_cast<int32_t>(records->Count());
}

int32_t QuorvexListDefined(int32_t list) {
  return Find(list) != nullptr ? -1 : 0;
}

bool QuorvexListItemView(int32_t list, int32_t index, std::string_view* record) {
  const RecordList* records = Find(list);
  if (records == nullptr || !ValidIndex(*records, index)) return false;
  *record = records->At(static_cast<size_t>(index));
  return true;
}

}  // namespace qv
