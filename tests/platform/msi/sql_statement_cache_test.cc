#include "platform/msi/sql_statement_cache.h"

#include <gtest/gtest.h>

namespace qv::msi {
namespace {

// What a parse says, written out: enough to tell any two different parses apart.
std::string Describe(const SelectStatement& s) {
  auto operand = [](const SqlOperand& o) {
    return std::to_string(static_cast<int>(o.kind)) + ":" + o.qualifier + "." + o.text + "#" +
           std::to_string(o.integer) + "?" + std::to_string(o.parameter);
  };
  std::string out = std::string(s.allColumns ? "*" : "") + s.table + " where " +
                    std::to_string(s.where) + " params " + std::to_string(s.parameterCount);
  for (const SqlOperand& c : s.columns) out += " col " + operand(c);
  for (const SqlCondition& n : s.nodes) {
    out += " node " + std::to_string(static_cast<int>(n.kind)) + n.op + operand(n.left) + " " +
           operand(n.right);
    for (int t : n.terms) out += "," + std::to_string(t);
  }
  for (const SqlOperand& o : s.orderBy) out += " order " + operand(o);
  return out;
}

// Each query, parsed after the others of its shape were, reads as its own parse does.
TEST(SqlStatementCacheTest, SharedParsesEqualTheirOwnRefusalsTheParsersErrors) {
  const char* queries[] = {
      "SELECT * FROM `Component` WHERE `Component` = ''",
      "SELECT * FROM `Component` WHERE `Component` = 'with `backquote` and \"quotes\"'",
      "SELECT * FROM `Component` WHERE `Component` = '\0010\002'",
      "SELECT `A`, `B` FROM `T` WHERE `A` = 'x' AND (`B` = 'y' OR `C` <> 'z') ORDER BY `A`",
      "SELECT `A`, `B` FROM `T` WHERE `A` = 'same' AND (`B` = 'same' OR `C` <> 'same') ORDER BY "
      "`A`",
      "SELECT * FROM `Name'd` WHERE `It's` = 'v'",
      "SELECT * FROM T WHERE 'left' = `Col` AND `N` = 5",
      "SELECT * FROM T WHERE `A` = ? AND `B` = 'p'",
  };
  for (int round = 0; round < 2; ++round) {
    for (const char* sql : queries) {
      SelectStatement own, shared;
      std::string ownBad, sharedBad;
      ASSERT_TRUE(ParseSelect(sql, &own, &ownBad).ok()) << sql;
      ASSERT_TRUE(ParseSelectShared(sql, &shared, &sharedBad).ok()) << sql;
      EXPECT_EQ(Describe(shared), Describe(own)) << sql;
    }
  }
  // Queries the parser refuses are refused alike, also when their shape was seen before.
  SelectStatement statement;
  std::string bad;
  ASSERT_TRUE(ParseSelectShared("SELECT * FROM T WHERE `A` = 'x'", &statement, &bad).ok());
  const char* refused[] = {
      "SELECT * FROM T WHERE `A` = 'unterminated", "SELECT * FROM T WHERE `A` = 'line\nend'",
      "SELECT * FROM T WHERE `A` = 'x' AND",       "SELECT FROM T WHERE `A` = 'x'",
      "SELECT * FROM `T WHERE `A` = 'x'",
  };
  for (const char* sql : refused) {
    SelectStatement own, shared;
    std::string ownBad, sharedBad;
    const Status ownStatus = ParseSelect(sql, &own, &ownBad);
    EXPECT_FALSE(ownStatus.ok()) << sql;
    EXPECT_EQ(ParseSelectShared(sql, &shared, &sharedBad).ToString(), ownStatus.ToString()) << sql;
    EXPECT_EQ(sharedBad, ownBad) << sql;
  }
}

}  // namespace
}  // namespace qv::msi
