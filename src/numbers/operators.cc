#include "numbers/operators.h"

#include <limits>

namespace qv {

bool ApplyOperator(Operator op, int32_t a, int32_t b, int32_t* result) {
  constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
  switch (op) {
    case Operator::kAdd:
      return !__builtin_add_overflow(a, b, result);
    case Operator::kSubtract:
      return !__builtin_sub_overflow(a, b, result);
    case Operator::kMultiply:
      return !__builtin_mul_overflow(a, b, result);
    case Operator::kDivide:
      if (b == 0 || (a == kLowest && b == -1)) return false;
      *result = a / b;
      return true;
    case Operator::kRemainder:
      if (b == 0) return false;
      *result = b == -1 ? 0 : a % b;  // the lowest value % -1 is 0, but traps in hardware
      return true;
    case Operator::kAnd:
      *result = a & b;
      return true;
    case Operator::kOr:
      *result = a | b;
      return true;
    case Operator::kXor:
      *result = a ^ b;
      return true;
    case Operator::kNegateA:
      return !__builtin_sub_overflow(0, a, result);
    case Operator::kNegateB:
      return !__builtin_sub_overflow(0, b, result);
  }
  return false;
}

}  // namespace qv
