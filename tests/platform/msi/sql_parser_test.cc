#include "platform/msi/sql_parser.h"

#include <gtest/gtest.h>

#include "support/data_rows.h"

namespace qv::msi {
namespace {

// The queries themselves are checked on a package in sql_view_test.cc.
TEST(SqlParserTest, ReportsWhereAQueryGoesWrong) {
  std::vector<test::DataRow> cases = test::DataRows("engine/sql.txt", "Refused");
  cases.push_back({"SELECT * FROM T WHERE " + std::string(kMaxSqlNesting + 1, '(') + "A = 1",
                   "line 1, column 123: parentheses nested deeper than 100", "("});
  for (const test::DataRow& c : cases) {
    SelectStatement s;
    std::string bad;
    const Status status = ParseSelect(c[0], &s, &bad);
    EXPECT_EQ(status.message(), c[1]) << c[0];
    EXPECT_EQ(bad, c[2]) << c[0];
  }
}

}  // namespace
}  // namespace qv::msi
