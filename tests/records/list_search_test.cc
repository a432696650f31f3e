#include "records/list_search.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "records/record_list.h"

namespace qv {
namespace {

int Sign(int32_t value) {
  return (value > 0) - (value < 0);
}

// Sets up list number `list` without auto-sort holding records, in that order, sorted by
// the tags `sortTags` when given.
int32_t MakeList(int32_t list, const std::vector<std::string>& records,
                 const char* sortTags = nullptr, int32_t sortCase = 0) {
  ListSetup(list, false);
  for (const std::string& record : records) ListAddItem(list, record);
  if (sortTags != nullptr) ListSortFields(list, sortTags, "\\", sortCase);
  return list;
}

int32_t Search(int32_t list, const std::string& tags, const std::string& key,
               bool insertionPoint = true, bool caseFlag = false, int32_t* first = nullptr,
               int32_t start = 0) {
  int32_t zero = 0;
  return ListSearch(list, tags, key, insertionPoint, first ? first : &zero, start, caseFlag);
}

TEST(ListSearchTest, CompareFieldValuesByMode) {
  // An empty value sorts first even against another; kNameInFolder joins a name to its
  // folder; kTrailingNumber without the case flag is the plain byte order.
  using enum FieldCompare;
  const std::tuple<const char*, const char*, FieldCompare, bool, int> cases[] = {
      {"a", "a", kPathParts, false, 0},
      {"", "", kPathParts, true, -1},
      {"", "x", kText, false, -1},
      {"x", "", kText, false, 1},
      {"A", "a", kText, true, 0},
      {"A", "a", kText, false, -1},
      {"C:\\a\\z.txt", "C:\\a b\\a.txt", kNameInFolder, false, 1},
      {"C:\\a\\z.txt", "C:\\a b\\a.txt", kPathParts, false, -1},
      {"C:\\A\\x", "c:\\a\\X", kPathParts, true, 0},
      {"file9", "FILE10", kTrailingNumber, true, -1},
      {"file9", "FILE10", kTrailingNumber, false, 1},
  };
  for (const auto& [a, b, mode, caseFlag, expected] : cases) {
    EXPECT_EQ(Sign(CompareFieldValues(a, b, mode, caseFlag)), expected)
        << a << " vs " << b << " mode " << static_cast<int>(mode);
  }
}

TEST(ListSearchTest, CompareKeyToItemByTagsOrAsFilter) {
  const int32_t list = MakeList(31, {"|1=C:\\a\\|2=|3=1", "|1=C:\\a\\|2=K|3=0"});
  // As filters, "|3=1" passes field 3 being 1 and a bare tag an empty field; "nobar" is
  // compared with a field that is never there.
  const std::tuple<const char*, const char*, int32_t, int> cases[] = {
      {"|1=", "|1=C:\\a\\", 0, 0},
      {"|1=|3=", "|1=C:\\a\\|3=2", 0, 1},
      {"|1=|3=", "|1=C:\\a\\|3=0", 0, -1},
      {"|1=|3=", "|1=C:\\a\\|3=0", 1, 0},
      {"|3=1", "", 0, 0},
      {"|3=1", "", 1, 1},
      {"|2=", "", 0, 0},
      {"|2=", "", 1, 1},
      {"nobar", "x", 0, 1},
  };
  for (const auto& [tags, key, index, expected] : cases) {
    EXPECT_EQ(Sign(CompareKeyToItem(tags, key, list, index, false)), expected)
        << tags << " " << key << " @" << index;
  }
}

TEST(ListSearchTest, ListsNotSortedByTheSearchTagsAreScanned) {
  const std::vector<std::string> records = {"|sfield=a|2=z", "|sfield=b|2=a", "|sfield=c|2=m"};
  const int32_t unsorted = MakeList(37, records);
  EXPECT_EQ(Search(unsorted, "|2=", "a"), 1);  // never sorted: scanned from 0
  EXPECT_EQ(Search(unsorted, "|2=", "q"), kSearchBeforeAll);
  const int32_t other = MakeList(38, records, "|9=");
  EXPECT_EQ(Search(other, "|2=", "a"), 1);
  int32_t first = 2;
  EXPECT_EQ(Search(other, "|2=", "a", true, false, &first), kSearchBeforeAll);
  first = 1;
  EXPECT_EQ(Search(other, "|2=", "m", true, false, &first, 1), kSearchBeforeAll);
  EXPECT_EQ(Search(other, "|2=", "m", true, false, &first, 2), 2);
  EXPECT_EQ(first, 2);
  // A list sorted by "|sfield=" is searched by halves for any tag, sorted or not.
  const int32_t any = MakeList(39, records, "|sfield=");
  EXPECT_EQ(Search(any, "|2=", "a"), kSearchBeforeAll);
  EXPECT_EQ(Search(any, "|sfield=", "b"), 1);
}

TEST(ListSearchTest, LongListsSeeEveryChangeBeforeTheNextSearch) {
  // Long enough for the search to narrow through its kept values first.
  std::vector<std::string> records;
  for (int i = 0; i < 1000; ++i) {
    records.push_back("|1=C:\\Data\\Folder " + std::to_string(1000 + i) + "\\|2=K" +
                      std::to_string(i));
  }
  const int32_t list = MakeList(7, records, "|1=");
  EXPECT_EQ(Search(list, "|1=", "C:\\Data\\Folder 1640\\"), 640);
  EXPECT_EQ(Search(list, "|1=", "C:\\Data\\Folder 1640\\a\\"), -(640 + 3));
  EXPECT_EQ(Search(list, "|1=", "C:\\Data\\Folder 0\\"), kSearchBeforeAll);
  EXPECT_EQ(Search(list, "|1=", "C:\\Data\\Folder 9\\"), kSearchAfterAll);

  // A changed record is found where it sorts now; a removed one is gone.
  ListModifyItem(list, "|1=C:\\Data\\Folder 1000a\\|2=Moved", 640);
  EXPECT_EQ(ListGetItemField(list, Search(list, "|1=", "C:\\Data\\Folder 1000a\\"), "|2="),
            "Moved");
  EXPECT_EQ(Search(list, "|1=", "C:\\Data\\Folder 1640\\"), -(640 + 3));
  ListRemoveItem(list, 1);
  EXPECT_EQ(ListGetItemField(list, Search(list, "|1=", "C:\\Data\\Folder 1999\\"), "|2="), "K999");
  EXPECT_EQ(Search(list, "|1=", "C:\\Data\\Folder 1000a\\"), -(0 + 3));
}

TEST(ListSearchTest, EqualKeysGiveTheFirstWhateverTheLength) {
  // Short lists are searched by halves alone, long ones through the fence first.
  for (const int count : {2, 3, 7, 40, 300, 1000}) {
    std::vector<std::string> records{"|1=C:\\a\\|2=before"};
    for (int i = 0; i < count; ++i) records.push_back("|1=C:\\m\\|2=k" + std::to_string(i));
    records.push_back("|1=C:\\z\\|2=after");
    MakeList(9, records, "|1=");
    const int32_t found = Search(9, "|1=", "C:\\m\\");
    EXPECT_EQ(found, 1) << count << " equal keys";
  }
}

}  // namespace
}  // namespace qv
