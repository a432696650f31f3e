#include "platform/msi/sql_parser.h"

#include <gtest/gtest.h>

namespace qv::msi {
namespace {

TEST(SqlParserTest, ParsesColumnsConditionAndOrder) {
  SelectStatement s;
  std::string bad;
  ASSERT_TRUE(ParseSelect("SELECT `File`, Component_ FROM `File` WHERE (`Sequence` >= 2 AND "
                          "`Version` IS NOT NULL) OR `File`.`Component_` = ? ORDER BY `Sequence`",
                          &s, &bad)
                  .ok());
  EXPECT_FALSE(s.allColumns);
  ASSERT_EQ(s.columns.size(), 2u);
  EXPECT_EQ(s.columns[1].text, "Component_");
  EXPECT_EQ(s.table, "File");
  ASSERT_GE(s.where, 0);
  EXPECT_EQ(s.nodes[s.where].kind, SqlCondition::Kind::kOr);
  const SqlCondition& rhs = s.nodes[s.nodes[s.where].rhs];
  EXPECT_EQ(rhs.left.qualifier, "File");
  EXPECT_EQ(rhs.right.kind, SqlOperand::Kind::kParameter);
  EXPECT_EQ(s.parameterCount, 1);
  ASSERT_EQ(s.orderBy.size(), 1u);
  EXPECT_EQ(s.orderBy[0].text, "Sequence");
}

TEST(SqlParserTest, ReadsLiterals) {
  SelectStatement s;
  std::string bad;
  ASSERT_TRUE(ParseSelect("select * from T where A = -12 and B <> 'x y'", &s, &bad).ok());
  EXPECT_TRUE(s.allColumns);
  const SqlCondition& a = s.nodes[s.nodes[s.where].lhs];
  EXPECT_EQ(a.right.kind, SqlOperand::Kind::kInteger);
  EXPECT_EQ(a.right.integer, -12);
  const SqlCondition& b = s.nodes[s.nodes[s.where].rhs];
  EXPECT_EQ(b.op, "<>");
  EXPECT_EQ(b.right.text, "x y");
}

struct BadQuery {
  const char* sql;
  const char* message;
  const char* token;
};

TEST(SqlParserTest, ReportsWhereAQueryGoesWrong) {
  const BadQuery cases[] = {
      {"", "line 1, column 1: unexpected end", ""},
      {"DELETE FROM `File`", "line 1, column 1: unexpected token 'DELETE'", "DELETE"},
      {"SELECT * `File`", "line 1, column 10: unexpected token 'File'", "File"},
      {"SELECT * FROM", "line 1, column 14: unexpected end", ""},
      {"SELECT * FROM T WHERE", "line 1, column 22: unexpected end", ""},
      {"SELECT * FROM T WHERE A == 1", "line 1, column 26: unexpected token '='", "="},
      {"SELECT * FROM T WHERE (A = 1", "line 1, column 29: unexpected end", ""},
      {"SELECT * FROM T\nWHERE A IS 1", "line 2, column 12: unexpected token '1'", "1"},
      {"SELECT * FROM `T", "line 1, column 15: unterminated name", "`"},
      {"SELECT * FROM T WHERE A = 'x", "line 1, column 27: unterminated string", "'"},
      {"SELECT * FROM T;", "line 1, column 16: unexpected character ';'", ";"},
      {"SELECT * FROM T ORDER `A`", "line 1, column 23: unexpected token 'A'", "A"},
      {"SELECT * FROM T WHERE A = 99999999999", "line 1, column 27: unexpected token '99999999999'",
       "99999999999"},
      {"SELECT DISTINCT A FROM T", "line 1, column 8: unexpected token 'DISTINCT'", "DISTINCT"},
  };
  for (const BadQuery& c : cases) {
    SelectStatement s;
    std::string bad;
    const Status status = ParseSelect(c.sql, &s, &bad);
    EXPECT_EQ(status.message(), c.message) << c.sql;
    EXPECT_EQ(bad, c.token) << c.sql;
  }
}

}  // namespace
}  // namespace qv::msi
