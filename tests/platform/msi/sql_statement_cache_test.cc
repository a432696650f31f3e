#include "platform/msi/sql_statement_cache.h"

#include <gtest/gtest.h>

#include "support/data_rows.h"

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

// Each query, parsed after the others of its shape were, reads as its own parse does; queries
// the parser refuses are refused alike, also when their shape was seen before.
TEST(SqlStatementCacheTest, SharedParsesEqualTheirOwn) {
  for (int round = 0; round < 2; ++round) {
    for (const char* kind : {"Shaped", "Refused"}) {
      for (const test::DataRow& row : test::DataRows("engine/sql.txt", kind)) {
        SelectStatement own, shared;
        std::string ownBad, sharedBad;
        const Status ownStatus = ParseSelect(row[0], &own, &ownBad);
        EXPECT_EQ(ParseSelectShared(row[0], &shared, &sharedBad).ToString(), ownStatus.ToString())
            << row[0];
        EXPECT_EQ(sharedBad, ownBad) << row[0];
        if (ownStatus.ok()) {
          EXPECT_EQ(Describe(shared), Describe(own)) << row[0];
        }
      }
    }
  }
}

}  // namespace
}  // namespace qv::msi
