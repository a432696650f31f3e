#include "records/record_list.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "records/list_state.h"

namespace qv {
namespace {

using Records = std::vector<std::string>;

Records Items(int32_t list) {
  Records items;
  for (int32_t i = 0; i < ListCount(list); ++i) items.push_back(ListGetItem(list, i));
  return items;
}

int32_t FillUnsorted(int32_t list, bool autoSort) {
  ListSetup(list, autoSort);
  for (const char* record : {"|1=c", "|1=a", "|1=b"}) ListAddItem(list, record);
  return list;
}

TEST(RecordListTest, ListZeroIsNoList) {
  ListSetup(0, true);
  EXPECT_FALSE(ListDefined(0));
}

TEST(RecordListTest, OnlyListsFiveToNinetyNineAutoSort) {
  for (const auto& [list, autoSort] :
       {std::pair{3, false}, {4, false}, {5, true}, {99, true}, {100, false}}) {
    FillUnsorted(list, true);
    EXPECT_EQ(Items(list),
              (autoSort ? Records{"|1=a", "|1=b", "|1=c"} : Records{"|1=c", "|1=a", "|1=b"}))
        << "list " << list;
    EXPECT_EQ(ListStateOf(list).auto_sort, autoSort) << "list " << list;
    EXPECT_FALSE(ListStateOf(list).needs_sort);
  }
}

TEST(RecordListTest, PlainSortOfAnAutoSortedListForgetsTheFieldSort) {
  int32_t list = 21;
  ListSetup(list, true);
  for (const char* record : {"|1=x|2=b", "|1=y|2=a"}) ListAddItem(list, record);
  ListSortFields(list, "|2=", "\\", 0);
  EXPECT_EQ(ListStateOf(list).sort_tags, "|2=");
  EXPECT_EQ(Items(list), (Records{"|1=y|2=a", "|1=x|2=b"}));
  ListAddItem(list, "|1=a|2=z");
  EXPECT_EQ(Items(list), (Records{"|1=a|2=z", "|1=x|2=b", "|1=y|2=a"}));
  EXPECT_EQ(ListStateOf(list).sort_tags, "");
  EXPECT_EQ(ListStateOf(list).sort_option, "\\");
}

TEST(RecordListTest, SetupClearAndRemove) {
  int32_t list = FillUnsorted(22, false);
  ListSetup(list, false);  // empties a list that holds records
  EXPECT_TRUE(ListDefined(list));
  EXPECT_EQ(ListCount(list), 0);
  ListClear(list);  // on an empty list: nothing, it is never handed to the library
  ListRemove(list);
  EXPECT_TRUE(ListDefined(list));
  EXPECT_EQ(ListCount(list), 0);
  ListRemove(77);  // unknown
  EXPECT_FALSE(ListDefined(77));
  ListAddItem(list, "|1=a");
  ListClear(list);
  EXPECT_TRUE(ListDefined(list));
  EXPECT_EQ(ListCount(list), 0);
  ListAddItem(list, "|1=a");
  ListRemove(list);
  EXPECT_FALSE(ListDefined(list));
}

TEST(RecordListTest, ReadsMissRatherThanFailAndChangesMarkTheList) {
  const int32_t list = FillUnsorted(24, false);
  EXPECT_EQ(ListGetItem(list, -1), "");
  EXPECT_EQ(ListGetItem(list, 3), "");
  EXPECT_EQ(ListGetItemField(list, 3, "|1="), "");
  EXPECT_EQ(ListGetItemField(list, 1, "|1="), "a");
  EXPECT_EQ(ListItemSize(list, 0), 8);
  EXPECT_EQ(ListItemSize(list, 9), 3);  // the library's -1, plus 4
  ListSort(list);
  EXPECT_EQ(ListModifyItem(list, "|1=z|2=k", 0), 0);
  EXPECT_TRUE(ListStateOf(list).needs_sort);
  EXPECT_EQ(ListRemoveItem(list, 1), 2);
  EXPECT_EQ(Items(list), (Records{"|1=z|2=k", "|1=b"}));
}

}  // namespace
}  // namespace qv
