#pragma once
// The numeric helpers of the converter: a value as a sum of hexadecimal bit values and back,
// a bit list to a value, the leading-number reading of the decimal field, and the text forms
// in which the numeric tab shows a value.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/status.h"

namespace qv {

/// The bit list of value as BitsSet gives it ("1,3" for 5, "" for 0).
std::string BitListOf(int32_t value);

/// The value as a sum of its bit values: "&H1+&H4" for 5, "&H0" for 0, "&H80000000" for the
/// lowest value.
std::string BitsToHexList(int32_t value);

/// Adds up the "+"-delimited fields that are longer than two characters and begin with "&H"
/// (either case) as signed 32-bit; other fields are ignored and "" gives 0. A counted field
/// that is not hex, or a sum outside the signed 32-bit range, gives 0 and an error *status.
int32_t HexListToValue(std::string_view text, Status* status = nullptr);

/// The value of a comma-delimited bit list (SetBits); an error *status names a bad field.
int32_t BitsTextToValue(std::string_view text, Status* status = nullptr);

/// Reads the number at the start of text as a leading-number parse does (leading blanks,
/// sign, "&H" hex prefix, decimals, exponent), rounded half to even: "12abc" is 12, "2.5" is
/// 2, text without a number is 0. A number outside the signed 32-bit range gives 0 and an
/// InvalidArgument *status.
int32_t LeadingNumberValue(std::string_view text, Status* status = nullptr);

/// Decimal with a sign slot: a blank before a value of 0 or more (" 42"), "-" otherwise.
std::string SignSlotDecimal(int32_t value);
/// Plain decimal ("42", "-7").
std::string PlainDecimal(int32_t value);
/// Upper-case hex digits of the 32-bit two's complement, no leading zeros ("FFFFFFFF" for -1).
std::string HexDigits(int32_t value);
/// Hex digits padded with zeros to 8 characters ("000000FF").
std::string PaddedHex(int32_t value);

}  // namespace qv
