#include "records/list_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "records/list_state.h"
#include "records/record_list.h"
#include "services/text_compare.h"

namespace qv {
namespace {

int Sign(int32_t value) {
  return (value > 0) - (value < 0);
}

// Sets up list number `list` without auto-sort holding records, in that order.
int32_t MakeList(int32_t list, const std::vector<std::string>& records) {
  ListSetup(&list, false);
  for (const std::string& record : records) ListAddItem(list, record);
  return list;
}

int32_t Search(int32_t list, const std::string& spec, const std::string& key,
               bool insertion_point = true, bool case_flag = false) {
  int32_t first = 0;
  return ListSearch(list, spec, key, insertion_point, &first, 0, case_flag);
}

TEST(ListSearchTest, CompareFieldValuesByMode) {
  const struct {
    const char* a;
    const char* b;
    int32_t mode;
    bool case_flag;
    int expected;
  } cases[] = {
      {"a", "a", 3, false, 0},
      {"", "", 3, true, -1},  // an empty value sorts first even against another
      {"", "x", 0, false, -1},
      {"x", "", 0, false, 1},
      {"A", "a", 0, true, 0},
      {"A", "a", 0, false, -1},
      {"C:\\a\\b", "C:\\a b", 3, false, -1},
      {"C:\\a\\b", "C:\\a b", 0, false, 1},
      {"C:\\a\\z.txt", "C:\\a b\\a.txt", 1, false, 1},  // name joined to its folder
      {"C:\\a\\z.txt", "C:\\a b\\a.txt", 3, false, -1},
      {"C:\\A\\x", "c:\\a\\X", 3, true, 0},
      {"file9", "FILE10", 2, true, -1},
      {"file9", "FILE10", 2, false, 1},  // without the case flag, the plain byte order
      {"b", "A", 7, true, 1},
      {"b", "A", 7, false, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Sign(CompareFieldValues(c.a, c.b, c.mode, c.case_flag)), c.expected)
        << c.a << " vs " << c.b << " mode " << c.mode;
  }
}

TEST(ListSearchTest, CompareKeyToItemByTagsOrAsFilter) {
  const int32_t list = MakeList(31, {"|1=C:\\a\\|2=|3=1", "|1=C:\\a\\|2=K|3=0"});
  const struct {
    const char* spec;
    const char* key;
    int32_t index;
    int expected;
  } cases[] = {
      {"|1=", "|1=C:\\a\\", 0, 0},
      {"|1=|3=", "|1=C:\\a\\|3=2", 0, 1},
      {"|1=|3=", "|1=C:\\a\\|3=0", 0, -1},
      {"|1=|3=", "|1=C:\\a\\|3=0", 1, 0},
      {"|3=1", "", 0, 0},  // filter: field 3 is 1
      {"|3=1", "", 1, 1},
      {"|2=", "", 0, 0},  // filter: a bare tag passes an empty field
      {"|2=", "", 1, 1},
      {"nobar", "x", 0, 1},  // compared with a field that is never there
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Sign(CompareKeyToItem(c.spec, c.key, list, c.index, false)), c.expected)
        << c.spec << " " << c.key << " @" << c.index;
  }
}

TEST(ListSearchTest, ThreePathsGiveEveryResultCode) {
  const int32_t list = MakeList(32, {"|1=C:\\D\\", "|1=C:\\A\\", "|1=C:\\B\\"});
  ListSortFields(list, "|1=", "\\", 0);
  const struct {
    const char* key;
    bool insertion_point;
    int32_t expected;
  } cases[] = {
      {"C:\\A\\", true, 0},    {"C:\\B\\", true, 1},  {"C:\\D\\", true, 2},
      {"C:\\0\\", true, -1},   {"C:\\E\\", true, -2}, {"C:\\C\\", true, -4},
      {"C:\\A b\\", true, -3}, {"C:\\C\\", false, 1}, {"|1=C:\\B\\", true, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Search(list, "|1=", c.key, c.insertion_point), c.expected) << c.key;
  }
}

TEST(ListSearchTest, EmptyKeyEmptyListOrFirstIndexPastTheEndGiveMinusOne) {
  const int32_t list = MakeList(33, {"|1=C:\\A\\"});
  ListSortFields(list, "|1=", "\\", 0);
  EXPECT_EQ(Search(list, "|1=", ""), kSearchBeforeAll);
  const int32_t empty = MakeList(34, {});
  ListSortFields(empty, "|1=", "\\", 0);
  EXPECT_EQ(Search(empty, "|1=", "C:\\A\\"), kSearchBeforeAll);
  EXPECT_EQ(Search(9999 % 101, "|1=", "C:\\A\\"), kSearchBeforeAll);
  int32_t first = 2;
  EXPECT_EQ(ListSearch(list, "|1=", "C:\\A\\", true, &first, 0, false), kSearchBeforeAll);
}

TEST(ListSearchTest, SearchResortsByTheStoredSpecificationAfterAModify) {
  const int32_t list = MakeList(35, {"|1=C:\\b\\|3=1", "|1=C:\\a\\|3=1", "|1=C:\\a\\|3=0"});
  ListSortFields(list, "|1=|3=", "\\", 0);
  EXPECT_EQ(ListGetItem(list, 0), "|1=C:\\a\\|3=0");
  ListModifyItem(list, "|1=C:\\0\\|3=1", 2);
  EXPECT_TRUE(ListStateOf(list).needs_sort);
  EXPECT_EQ(Search(list, "|1=", "C:\\0\\"), 0);
  EXPECT_FALSE(ListStateOf(list).needs_sort);
  EXPECT_EQ(ListStateOf(list).sort_specification, "|1=|3=");
  EXPECT_EQ(ListGetItem(list, 0), "|1=C:\\0\\|3=1");
  EXPECT_EQ(ListGetItem(list, 1), "|1=C:\\a\\|3=0");
  EXPECT_EQ(ListGetItem(list, 2), "|1=C:\\a\\|3=1");
}

TEST(ListSearchTest, ReadAfterAModifyKeepsTheOrderOfAListWithoutAutoSort) {
  const int32_t list = MakeList(36, {"|1=C:\\b\\|3=1", "|1=C:\\a\\|3=1"});
  ListSortFields(list, "|1=|3=", "\\", 0);
  ListModifyItem(list, "|1=C:\\0\\|3=1", 1);
  EXPECT_EQ(ListGetItem(list, 0), "|1=C:\\a\\|3=1");
  EXPECT_EQ(ListGetItem(list, 1), "|1=C:\\0\\|3=1");
  EXPECT_EQ(ListStateOf(list).sort_specification, "|1=|3=");
}

TEST(ListSearchTest, ListsNotSortedByTheSpecificationAreScanned) {
  const std::vector<std::string> records = {"|sfield=a|2=z", "|sfield=b|2=a", "|sfield=c|2=m"};
  const int32_t unsorted = MakeList(37, records);
  EXPECT_EQ(Search(unsorted, "|2=", "a"), 1);  // no sort specification: scanned from 0
  EXPECT_EQ(Search(unsorted, "|2=", "q"), kSearchBeforeAll);
  const int32_t other = MakeList(38, records);
  ListSortFields(other, "|9=", "\\", 0);
  EXPECT_EQ(Search(other, "|2=", "a"), 1);
  int32_t first = 2;
  EXPECT_EQ(ListSearch(other, "|2=", "a", true, &first, 0, false), kSearchBeforeAll);
  first = 1;
  EXPECT_EQ(ListSearch(other, "|2=", "m", true, &first, 1, false), kSearchBeforeAll);
  EXPECT_EQ(ListSearch(other, "|2=", "m", true, &first, 2, false), 2);
  EXPECT_EQ(first, 2);
  // A list sorted by "|sfield=" is searched by halves for any tag, sorted or not.
  const int32_t any = MakeList(39, records);
  ListSortFields(any, "|sfield=", "\\", 0);
  EXPECT_EQ(Search(any, "|2=", "a"), kSearchBeforeAll);
  EXPECT_EQ(Search(any, "|sfield=", "b"), 1);
}

TEST(ListSearchTest, CaseFlagSearchesAListSortedWithoutCase) {
  const int32_t list = MakeList(40, {"|1=C:\\b\\", "|1=c:\\A\\", "|1=C:\\c\\"});
  ListSortFields(list, "|1=", "\\", -1);
  EXPECT_EQ(Search(list, "|1=", "C:\\B\\", true, true), 1);
  EXPECT_EQ(Search(list, "|1=", "C:\\BB\\", true, true), -4);
  // With case, "C:" sorts before "c:", so the key comes before the first record.
  EXPECT_EQ(Search(list, "|1=", "C:\\B\\", true, false), kSearchBeforeAll);
}

// Paths with mixed case, shared prefixes and trailing numbers.
std::string RandomPath(std::mt19937* rng) {
  static const char* const kRoots[] = {
      "C:\\Program Files", "C:\\program files", "C:\\Program Files (x86)",
      "C:\\ProgramData",   "C:\\Windows",       "D:\\Data"};
  static const char* const kVendors[] = {"Vendor",     "vendor", "VENDOR",
                                         "Vendor Inc", "Vend",   "Vendor-2"};
  static const char* const kFiles[] = {"file", "File", "file ", "file_"};
  static const char* const kExtensions[] = {"", ".dll", ".DLL", ".exe"};
  auto pick = [rng](size_t n) { return static_cast<size_t>((*rng)() % n); };
  std::string path = kRoots[pick(6)];
  path += "\\";
  path += kVendors[pick(6)];
  path += "\\Dir" + std::to_string(pick(300)) + "\\";
  if (pick(10) == 0) return path;  // a folder, prefix of the files inside it
  path += kFiles[pick(4)];
  path += std::to_string(pick(2000));
  path += kExtensions[pick(4)];
  return path;
}

TEST(ListSearchTest, BinarySearchAgreesWithALinearScanOnManyPaths) {
  constexpr size_t kPaths = 100000;
  std::mt19937 rng(4711);
  std::set<std::string> paths;
  while (paths.size() < kPaths) paths.insert(RandomPath(&rng));
  std::vector<std::string> shuffled(paths.begin(), paths.end());
  std::shuffle(shuffled.begin(), shuffled.end(), rng);
  int32_t list = 41;
  ListSetup(&list, false);
  for (const std::string& path : shuffled) ListAddItem(list, "|1=" + path + "|2=K");
  ListSortFields(list, "|1=", "\\", 0);

  std::vector<std::string> sorted;
  for (int32_t i = 0; i < ListCount(list); ++i) sorted.push_back(ListGetItemField(list, i, "|1="));
  ASSERT_EQ(sorted.size(), kPaths);
  for (size_t i = 1; i < sorted.size(); ++i) {
    ASSERT_LT(CompareKeys(sorted[i - 1], sorted[i], "\\", 0), 0) << sorted[i];
  }

  std::vector<std::string> keys = {"A:\\first", "Z:\\last", "C:\\Program Files\\Vendor\\"};
  for (int i = 0; i < 600; ++i) keys.push_back(shuffled[rng() % kPaths]);
  while (keys.size() < 1200) {
    std::string path = RandomPath(&rng);
    if (!paths.count(path)) keys.push_back(path);
  }
  size_t found = 0;
  for (const std::string& key : keys) {
    const int32_t r = Search(list, "|1=", key);
    const auto linear = std::find(sorted.begin(), sorted.end(), key);
    if (linear != sorted.end()) {
      ++found;
      ASSERT_EQ(r, linear - sorted.begin()) << key;
      continue;
    }
    ASSERT_LT(r, 0) << key;
    if (r == kSearchBeforeAll) {
      ASSERT_LT(CompareKeys(key, sorted.front(), "\\", 0), 0) << key;
    } else if (r == kSearchAfterAll) {
      ASSERT_GT(CompareKeys(key, sorted.back(), "\\", 0), 0) << key;
    } else {
      const size_t before = static_cast<size_t>(-r - 3);
      ASSERT_LT(before + 1, sorted.size()) << key;
      ASSERT_LT(CompareKeys(sorted[before], key, "\\", 0), 0) << key;
      ASSERT_GT(CompareKeys(sorted[before + 1], key, "\\", 0), 0) << key;
    }
  }
  EXPECT_EQ(found, 600u);

  // The library's own scan, as ListSearch uses on unsorted lists, agrees too.
  for (int i = 0; i < 50; ++i) {
    const std::string& key = keys[static_cast<size_t>(i) * 23];
    int32_t index = 0;
    const bool scanned = ListFind(list, "|1=", 0, 0, key, &index, 0, false) > 0;
    const int32_t r = Search(list, "|1=", key);
    EXPECT_EQ(scanned, r >= 0) << key;
    if (scanned) {
      EXPECT_EQ(index, r) << key;
    }
  }
}

}  // namespace
}  // namespace qv
