#include "numbers/operators.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace qv {
namespace {

constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();

TEST(OperatorsTest, ComputeOrRefuseWhatDoesNotFit) {
  using enum Operator;
  const struct {
    Operator op;
    int32_t a, b;
    std::optional<int32_t> result;  // nullopt: refused
  } cases[] = {
      // clang-format off
      // What every button gives shows in the numeric tab; here the signs and the edges.
      {kDivide, -7, 2, -3}, {kRemainder, -7, 2, -1}, {kRemainder, kLowest, -1, 0},
      {kAdd, kHighest, 1, {}}, {kSubtract, kLowest, 1, {}}, {kMultiply, 65536, 65536, {}},
      {kDivide, 5, 0, {}}, {kRemainder, 5, 0, {}}, {kDivide, kLowest, -1, {}},
      {kNegateA, kLowest, 0, {}}, {kNegateB, 0, kLowest, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    int32_t result = 0;
    const bool computed = ApplyOperator(c.op, c.a, c.b, &result);
    EXPECT_EQ(computed, c.result.has_value()) << static_cast<int>(c.op) << " " << c.a << " " << c.b;
    if (computed && c.result) {
      EXPECT_EQ(result, *c.result) << static_cast<int>(c.op) << " " << c.a;
    }
  }
}

}  // namespace
}  // namespace qv
