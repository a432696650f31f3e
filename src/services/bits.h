#pragma once
// The bit and hexadecimal functions of the maker's utility library: hexadecimal digits to a
// 32-bit value, a value to the numbers of its set bits and back, and the NUL-length of a text.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/status.h"

namespace qv {

/// Reads hexadecimal digits without the "&H" prefix (either letter case, blanks around them
/// allowed) as a 32-bit two's complement value, so "FFFFFFFF" is -1. Text that is not a hex
/// number or has more than 8 significant digits gives 0 and an InvalidArgument *status.
int32_t HexToValue(std::string_view digits, Status* status = nullptr);

/// Puts into *buffer the numbers of the bits set in value, ascending and comma-delimited
/// without blanks, bit n standing for 2^(n-1) ("1,3" for 5, "" for 0); returns its length.
int32_t BitsSet(std::string* buffer, int32_t value);

/// The inverse of BitsSet: *value gets the bits named in the comma-delimited list (blanks
/// around numbers and empty fields allowed). A number outside 1..32 or a field that is not a
/// number leaves *value at 0 and gives an InvalidArgument status naming the field.
Status SetBits(int32_t* value, std::string_view list);

/// The count of characters before the first NUL of text; -1 when text holds no NUL.
int32_t GetLengthC(std::string_view text);

}  // namespace qv
