#include "records/record_list.h"

#include <gtest/gtest.h>

#include <string>
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

TEST(RecordListTest, SetupClearAndRemove) {
  int32_t list = FillUnsorted(22, false);
  ListSetup(list, false);  // empties a list that holds records
  EXPECT_TRUE(ListDefined(list));
  EXPECT_EQ(ListCount(list), 0);
  ListClear(list);  // on an empty list: nothing, it is never handed to the library
  ListRemove(list);
  EXPECT_TRUE(ListDefined(list));
  EXPECT_EQ(ListCount(list), 0);
  ListAddItem(list, "|1=a");
  ListClear(list);
  EXPECT_TRUE(ListDefined(list));
  EXPECT_EQ(ListCount(list), 0);
  ListAddItem(list, "|1=a");
  ListRemove(list);
  EXPECT_FALSE(ListDefined(list));
}

}  // namespace
}  // namespace qv
