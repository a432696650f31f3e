#include "records/record_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/list_state.h"
#include "records/named_lists.h"

namespace qv {
namespace {

std::vector<std::string> Items(int32_t list) {
  std::vector<std::string> items;
  for (int32_t i = 0; i < ListCount(list); ++i) items.push_back(ListGetItem(list, i));
  return items;
}

void FillUnsorted(int32_t list, bool auto_sort) {
  ListSetup(&list, auto_sort);
  for (const char* record : {"|1=c", "|1=a", "|1=b"}) ListAddItem(list, record);
}

TEST(RecordListTest, FirstSetupNumbersTheNamedListsOnce) {
  int32_t scratch = 0;
  ListSetup(&scratch, true);
  EXPECT_TRUE(ListNumbersAssigned());
  EXPECT_EQ(scratch, 0);
  EXPECT_FALSE(ListDefined(0));
  EXPECT_EQ(ReservedList01, 1);
  EXPECT_EQ(ReservedList04, 4);
  EXPECT_EQ(DirectoryList, 5);
  EXPECT_EQ(FileList, 6);
  EXPECT_EQ(ReservedList07, 7);
  EXPECT_EQ(ReservedList71, kNamedListCount);

  ListSetup(&FileList, true);
  ListSetup(&DirectoryList, false);
  EXPECT_EQ(FileList, 6);
  EXPECT_EQ(DirectoryList, 5);
  EXPECT_TRUE(ListStateOf(FileList).auto_sort);
  EXPECT_FALSE(ListStateOf(DirectoryList).auto_sort);
  EXPECT_TRUE(ListDefined(FileList));
}

TEST(RecordListTest, OnlyListsFiveToNinetyNineAutoSort) {
  const struct {
    int32_t list;
    bool auto_sort;
  } cases[] = {{3, false}, {4, false}, {5, true}, {99, true}, {100, false}};
  for (const auto& c : cases) {
    FillUnsorted(c.list, true);
    const std::vector<std::string> expected =
        c.auto_sort ? std::vector<std::string>{"|1=a", "|1=b", "|1=c"}
                    : std::vector<std::string>{"|1=c", "|1=a", "|1=b"};
    EXPECT_EQ(Items(c.list), expected) << "list " << c.list;
    EXPECT_EQ(ListStateOf(c.list).auto_sort, c.auto_sort) << "list " << c.list;
    EXPECT_FALSE(ListStateOf(c.list).needs_sort);
  }
}

TEST(RecordListTest, ListWithoutAutoSortKeepsItsOrderOnRead) {
  FillUnsorted(20, false);
  EXPECT_TRUE(ListStateOf(20).needs_sort);
  EXPECT_EQ(ListGetItem(20, 0), "|1=c");
  EXPECT_FALSE(ListStateOf(20).needs_sort);
  EXPECT_EQ(Items(20), (std::vector<std::string>{"|1=c", "|1=a", "|1=b"}));
}

TEST(RecordListTest, PlainSortOfAnAutoSortedListForgetsTheFieldSort) {
  int32_t list = 21;
  ListSetup(&list, true);
  for (const char* record : {"|1=x|2=b", "|1=y|2=a"}) ListAddItem(list, record);
  ListSortFields(list, "|2=", "\\", 0);
  EXPECT_EQ(ListStateOf(list).sort_specification, "|2=");
  EXPECT_EQ(ListStateOf(list).sort_option, "\\");
  EXPECT_EQ(Items(list), (std::vector<std::string>{"|1=y|2=a", "|1=x|2=b"}));
  ListAddItem(list, "|1=a|2=z");
  EXPECT_EQ(Items(list), (std::vector<std::string>{"|1=a|2=z", "|1=x|2=b", "|1=y|2=a"}));
  EXPECT_EQ(ListStateOf(list).sort_specification, "");
  EXPECT_EQ(ListStateOf(list).sort_option, "\\");
}

TEST(RecordListTest, SetupEmptiesAListThatHoldsRecords) {
  FillUnsorted(22, false);
  int32_t list = 22;
  ListSetup(&list, false);
  EXPECT_TRUE(ListDefined(22));
  EXPECT_EQ(ListCount(22), 0);
}

TEST(RecordListTest, ClearAndRemoveOnEmptyListsDoNothing) {
  int32_t list = 23;
  ListSetup(&list, false);
  ListClear(list);
  ListRemove(list);
  EXPECT_TRUE(ListDefined(list));  // an empty list is never handed to the library
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

TEST(RecordListTest, ReadsMissRatherThanFail) {
  FillUnsorted(24, false);
  EXPECT_EQ(ListGetItem(24, -1), "");
  EXPECT_EQ(ListGetItem(24, 3), "");
  EXPECT_EQ(ListGetItemField(24, 3, "|1="), "");
  EXPECT_EQ(ListGetItemField(24, -1, "|1="), "");
  EXPECT_EQ(ListGetItemField(24, 1, "|1="), "a");
  EXPECT_EQ(ListGetItemField(24, 1, "|9="), "");
  EXPECT_EQ(ListItemSize(24, 0), 8);
  EXPECT_EQ(ListItemSize(24, 9), 3);  // the library's -1, plus 4
  ListAddItem(24, "");
  EXPECT_EQ(ListCount(24), 4);
  EXPECT_EQ(ListGetItem(24, 3), "");
}

TEST(RecordListTest, ModifyAndRemoveItems) {
  FillUnsorted(25, false);
  EXPECT_EQ(ListModifyItem(25, "|1=z|2=k", 0), 0);
  EXPECT_TRUE(ListStateOf(25).needs_sort);
  EXPECT_EQ(ListRemoveItem(25, 1), 2);
  EXPECT_EQ(ListRemoveItem(25, 5), -1);
  EXPECT_EQ(Items(25), (std::vector<std::string>{"|1=z|2=k", "|1=b"}));
  EXPECT_EQ(ListGetItemField(25, 0, "|2="), "k");
}

}  // namespace
}  // namespace qv
