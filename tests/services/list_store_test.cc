#include "services/list_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using Records = std::vector<std::string>;

Records Items(int32_t list) {
  Records items;
  for (int32_t i = 0; i < QuorvexListCount(list); ++i) {
    std::string record;
    QuorvexListGetItem(list, i, &record, QuorvexListGetItemSize(list, i) + 1);
    items.push_back(record);
  }
  return items;
}

void Fill(int32_t list, const Records& records) {
  ASSERT_EQ(QuorvexListSetup(list, 100, 1000, 100), list);
  for (const std::string& record : records) QuorvexListAddItem(list, record, -1);
}

TEST(ListStoreTest, AddInsertsOrAppendsAndGetItemNeedsRoomForTheNul) {
  Fill(10, {"b", "|1=abc"});
  EXPECT_EQ(QuorvexListAddItem(10, "a", 0), 0);
  EXPECT_EQ(QuorvexListAddItem(10, "c", 2), 2);
  EXPECT_EQ(QuorvexListAddItem(10, "e", 99), 4);
  EXPECT_EQ(QuorvexListAddItem(10, "", -1), 5);
  EXPECT_EQ(Items(10), (Records{"a", "b", "c", "|1=abc", "e", ""}));
  EXPECT_EQ(QuorvexListGetItemSize(10, 5), 0);
  std::string buffer = "stale";
  EXPECT_EQ(QuorvexListGetItem(10, 3, &buffer, 6), 0);
  EXPECT_EQ(buffer, "");
  EXPECT_EQ(QuorvexListGetItem(10, 3, &buffer, 7), 6);
  EXPECT_EQ(buffer, "|1=abc");
  EXPECT_EQ(QuorvexListGetItem(10, -1, &buffer, 7), 0);
}

TEST(ListStoreTest, RecordsOfSixteenMegabytesAndMoreAreKept) {
  const std::string huge = "|1=b|2=" + std::string(0xFFFFFF, 'x');
  const int32_t size = static_cast<int32_t>(huge.size());
  Fill(19, {"|1=c", huge, "|1=a"});
  QuorvexListSortFlds(19, "|1=", "", 0);
  EXPECT_EQ(QuorvexListGetItemSize(19, 1), size);
  std::string buffer;
  EXPECT_EQ(QuorvexListGetItem(19, 1, &buffer, size + 1), size);
  EXPECT_EQ(buffer, huge);
  EXPECT_EQ(QuorvexListModifyItem(19, 1, "|1=b"), 1);  // a long record is never rewritten in place
  EXPECT_EQ(QuorvexListRemoveItem(19, 0), 2);          // compacts: the long text is garbage
  EXPECT_EQ(Items(19), (Records{"|1=b", "|1=c"}));
}

TEST(ListStoreTest, FindScansFromIndexUpToLimit) {
  Fill(17,
       {"|1=C:\\A|2=x", "|1=C:\\b|2=y", "|1=C:\\a|2=z", "|1=C:\\a|2=w", "|1=abcdef", "|1=xxcdyy"});
  const struct {
    int32_t position, length;
    const char *tags, *key;
    int32_t start, limit, aux, case_flag, result, index;
  } cases[] = {
      {0, 0, "|1=", "|1=C:\\a", 0, 4, 0, 0, 1, 2},
      {0, 0, "|1=", "|1=C:\\a", 0, 4, 0, -1, 1, 0},
      {0, 0, "|1=", "|1=C:\\a", 0, 2, 0, 0, 0, 0},  // the limit is not looked at
      {0, 0, "|1=|2=", "|1=C:\\a|2=w", 0, 4, 0, 0, 1, 3},
      {0, 0, "|1=", "|1=C:", 0, 4, -1, 0, 1, 0},  // aux: values beginning with the key's
      {0, 0, "", "|1=C:\\b|2=y", 0, 4, 0, 0, 1, 1},
      {2, 2, "|1=", "|1=cd", 0, 6, 0, 0, 1, 4},  // a window of each value
      {3, 2, "|1=", "|1=cd", 0, 6, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    int32_t index = c.start;
    EXPECT_EQ(QuorvexListFind(17, c.position, c.length, c.tags, c.key, &index, c.limit, c.aux,
                              c.case_flag),
              c.result)
        << c.tags << " " << c.key;
    EXPECT_EQ(index, c.result > 0 ? c.index : c.start) << c.tags << " " << c.key;
  }
}

}  // namespace
}  // namespace qv
