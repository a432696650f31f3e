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

TEST(ListStoreTest, UnknownListsReadAsMissing) {
  EXPECT_EQ(QuorvexListSetup(-3, 1, 1, 1), 0);
  EXPECT_EQ(QuorvexListDefined(-3), 0);
  std::string buffer;
  int32_t index = 0;
  EXPECT_EQ(QuorvexListCount(8001), 0);
  EXPECT_EQ(QuorvexListAddItem(8001, "x", -1), -1);
  EXPECT_EQ(QuorvexListGetItemSize(8001, 0), -1);
  EXPECT_EQ(QuorvexListGetItem(8001, 0, &buffer, 10), 0);
  EXPECT_EQ(QuorvexListModifyItem(8001, 0, "x"), -1);
  EXPECT_EQ(QuorvexListRemoveItem(8001, 0), -1);
  EXPECT_EQ(QuorvexListClear(8001), -1);
  EXPECT_EQ(QuorvexListRemoveList(8001), 0);
  EXPECT_EQ(QuorvexListSort(8001, "", 0, "", 0), -1);
  EXPECT_EQ(QuorvexListSortFlds(8001, "|1=", "\\", 0), -1);
  EXPECT_EQ(QuorvexListFind(8001, 0, 0, "|1=", "|1=x", &index, 10, 0, 0), -1);
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

TEST(ListStoreTest, ModifyRemoveClearAndSetupAgain) {
  Fill(12, {"|1=one|filler=          ", "|1=two", "|1=three"});
  EXPECT_EQ(QuorvexListModifyItem(12, 0, "|1=uno"), 0);              // shorter: in place
  EXPECT_EQ(QuorvexListModifyItem(12, 1, "|1=two, now longer"), 1);  // longer: moved
  EXPECT_EQ(QuorvexListModifyItem(12, 3, "x"), -1);
  EXPECT_EQ(Items(12), (Records{"|1=uno", "|1=two, now longer", "|1=three"}));
  EXPECT_EQ(QuorvexListRemoveItem(12, 1), 2);
  EXPECT_EQ(QuorvexListRemoveItem(12, 2), -1);
  EXPECT_EQ(Items(12), (Records{"|1=uno", "|1=three"}));
  EXPECT_EQ(QuorvexListClear(12), 2);
  EXPECT_EQ(QuorvexListDefined(12), -1);
  EXPECT_EQ(QuorvexListCount(12), 0);
  EXPECT_EQ(QuorvexListRemoveList(12), 1);
  EXPECT_EQ(QuorvexListDefined(12), 0);
  Fill(12, {"|1=a"});  // setting a list up again empties it
  EXPECT_EQ(QuorvexListDefined(12), -1);
  Fill(12, {});
  EXPECT_EQ(QuorvexListCount(12), 0);
}

TEST(ListStoreTest, ManyChangesSurviveCompaction) {
  // Every round rewrites each record longer than before, so old text piles up and the
  // block is compacted several times; the list must still match a plain model.
  ASSERT_EQ(QuorvexListSetup(13, 0, 0, 0), 13);
  Records model;
  for (int i = 0; i < 50; ++i) {
    QuorvexListAddItem(13, model.emplace_back("|1=" + std::to_string(i)), -1);
  }
  for (int round = 1; round <= 20; ++round) {
    for (int i = 0; i < 50; ++i) QuorvexListModifyItem(13, i, model[i] += std::string(round, '.'));
    model.erase(model.begin());
    QuorvexListRemoveItem(13, 0);
    QuorvexListAddItem(13, model.emplace_back("|1=new" + std::to_string(round)), -1);
    ASSERT_EQ(Items(13), model) << "round " << round;
  }
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

TEST(ListStoreTest, SortsStablyByFieldsLikeCompareKeys) {
  Fill(14, {"|1=C:\\b|3=1|k=first", "|1=C:\\a b|3=1", "|1=C:\\a\\x|3=0", "|1=C:\\b|3=0",
            "|1=C:\\b|3=1|k=second", "|3=9"});
  EXPECT_EQ(QuorvexListSortFlds(14, "|1=|3=", "\\", 0), 6);
  EXPECT_EQ(Items(14), (Records{"|3=9", "|1=C:\\a\\x|3=0", "|1=C:\\a b|3=1", "|1=C:\\b|3=0",
                                "|1=C:\\b|3=1|k=first", "|1=C:\\b|3=1|k=second"}));
  Fill(15, {"|1=\"b|x\"", "|1=B", "|1=\"a\"\"q\"", "|1=a"});  // quoted values, case flag
  QuorvexListSortFlds(15, "|1=", "", 0);
  EXPECT_EQ(Items(15), (Records{"|1=B", "|1=a", "|1=\"a\"\"q\"", "|1=\"b|x\""}));
  QuorvexListSortFlds(15, "|1=", "", -1);
  EXPECT_EQ(Items(15), (Records{"|1=a", "|1=\"a\"\"q\"", "|1=B", "|1=\"b|x\""}));
  Fill(16, {"|1=b|2=1", "|1=a|2=3", "|1=c|2=2"});  // whole records, or one field descending
  QuorvexListSort(16, "", 0, "", 0);
  EXPECT_EQ(Items(16), (Records{"|1=a|2=3", "|1=b|2=1", "|1=c|2=2"}));
  QuorvexListSort(16, "|2=", -1, "", 0);
  EXPECT_EQ(Items(16), (Records{"|1=a|2=3", "|1=c|2=2", "|1=b|2=1"}));
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
