#include "services/path_scan.h"

#include <gtest/gtest.h>

#include "services/data_rows.h"

namespace qv {
namespace {

TEST(GetNextNonFileCharTest, StopsWhereAPathCannotGoOn) {
  for (const test::DataRow& row : test::DataRows("services/next_non_file_char.tsv")) {
    EXPECT_EQ(GetNextNonFileChar(test::Int(row[0]), row[1], 0), test::Int(row[2])) << row[1];
  }
}

TEST(MatchStringsTest, MatchesPathsPartByPart) {
  for (const test::DataRow& row : test::DataRows("services/match_strings.tsv")) {
    EXPECT_EQ(MatchStrings(row[0], row[1], test::Int(row[2]), "\\"), test::Int(row[3]))
        << row[0] << " / " << row[1];
  }
}

}  // namespace
}  // namespace qv
