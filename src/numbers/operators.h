#pragma once
// The arithmetic and bitwise operators of the numeric tab between two signed 32-bit values.

#include <cstdint>

namespace qv {

/// The operators in the order of the numeric tab's option buttons.
enum class Operator {
  kAdd,        ///< A + B
  kSubtract,   ///< A - B
  kMultiply,   ///< A * B
  kDivide,     ///< A / B, the quotient cut towards zero
  kRemainder,  ///< A % B, with the sign of A
  kAnd,        ///< bitwise A AND B
  kOr,         ///< bitwise A OR B
  kXor,        ///< bitwise A XOR B
  kNegateA,    ///< 0 - A (the option captioned "Compliment 'A'")
  kNegateB,    ///< 0 - B
};

/// How many operators there are.
inline constexpr int kOperatorCount = 10;

/// Puts op applied to a and b into *result; false when the result does not fit into a signed
/// 32-bit value or cannot be computed (a division by zero), and *result is then no answer.
bool ApplyOperator(Operator op, int32_t a, int32_t b, int32_t* result);

}  // namespace qv
