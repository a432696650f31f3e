#include "numbers/operators.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/data_rows.h"

namespace qv {
namespace {

TEST(OperatorsTest, ComputeOrRefuseWhatDoesNotFit) {
  const std::string symbols[kOperatorCount] = {"+",   "-",  "*",   "/",  "%",
                                               "and", "or", "xor", "-A", "-B"};
  for (const test::DataRow& row : test::DataRows("numbers/numbers.txt", "Apply")) {
    const auto op =
        static_cast<Operator>(std::find(symbols, symbols + kOperatorCount, row[0]) - symbols);
    int32_t result = 0;
    const bool computed = ApplyOperator(op, test::Int(row[1]), test::Int(row[2]), &result);
    EXPECT_EQ(computed, !row[3].empty()) << row[0] << " " << row[1] << " " << row[2];
    if (computed && !row[3].empty()) {
      EXPECT_EQ(result, test::Int(row[3])) << row[0] << " " << row[1] << " " << row[2];
    }
  }
}

}  // namespace
}  // namespace qv
