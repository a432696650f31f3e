#include "platform/registry/name_compare.h"

#include <gtest/gtest.h>

#include "support/data_rows.h"

namespace qv::registry {
namespace {

TEST(NameCompareTest, FoldsTheLettersOfRealNamesAndKeepsOtherBytes) {
  for (const test::DataRow& row : test::DataRows("registry/key_names.txt", "SameName")) {
    EXPECT_EQ(SameName(row[0], row[1]), row[2] == "1") << row[0] << " " << row[1];
    EXPECT_EQ(FoldName(row[0]) == FoldName(row[1]), row[2] == "1") << row[0] << " " << row[1];
  }
}

}  // namespace
}  // namespace qv::registry
