#pragma once
// Numbers in message texts, written as the program's messages always wrote them.

#include <cstdint>
#include <string>

namespace qv {

/// Decimal with one leading blank when not negative (" 141", "-7").
std::string NumberText(int64_t value);
/// Upper-case hexadecimal of the 32-bit pattern, no prefix, no padding ("FF", "80004005").
std::string HexText(int32_t value);

}  // namespace qv
