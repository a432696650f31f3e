#include "platform/msi/sql_parser.h"

#include <gtest/gtest.h>

namespace qv::msi {
namespace {

// The queries themselves are checked on a package in sql_view_test.cc.
TEST(SqlParserTest, ReportsWhereAQueryGoesWrong) {
  const struct {
    std::string sql, message, token;
  } cases[] = {
      {"", "line 1, column 1: unexpected end", ""},
      {"DELETE FROM `File`", "line 1, column 1: unexpected token 'DELETE'", "DELETE"},
      {"SELECT * `File`", "line 1, column 10: unexpected token 'File'", "File"},
      {"SELECT * FROM T WHERE A == 1", "line 1, column 26: unexpected token '='", "="},
      {"SELECT * FROM T\nWHERE A IS 1", "line 2, column 12: unexpected token '1'", "1"},
      {"SELECT * FROM `T", "line 1, column 15: unterminated name", "`"},
      {"SELECT * FROM T WHERE A = 'x", "line 1, column 27: unterminated string", "'"},
      {"SELECT * FROM T;", "line 1, column 16: unexpected character ';'", ";"},
      {"SELECT * FROM T ORDER `A`", "line 1, column 23: unexpected token 'A'", "A"},
      {"SELECT * FROM T WHERE A = 99999999999", "line 1, column 27: unexpected token '99999999999'",
       "99999999999"},
      {"SELECT * FROM T WHERE " + std::string(kMaxSqlNesting + 1, '(') + "A = 1",
       "line 1, column 123: parentheses nested deeper than 100", "("},
  };
  for (const auto& c : cases) {
    SelectStatement s;
    std::string bad;
    const Status status = ParseSelect(c.sql, &s, &bad);
    EXPECT_EQ(status.message(), c.message) << c.sql;
    EXPECT_EQ(bad, c.token) << c.sql;
  }
}

}  // namespace
}  // namespace qv::msi
