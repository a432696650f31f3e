#pragma once
// The texts the converter window shows: captions, labels and its one message.

#include "numbers/operators.h"

namespace qv {

inline constexpr const char* kWindowCaption = "Conversions";
inline constexpr const char* kExitCaption = "Return";
/// SSTab1's tabs, in order.
inline constexpr const char* kTabCaptions[4] = {"GUIDs", "Numeric Values",
                                                "Decode Formatted MSI Records",
                                                "Long File Names - Short File Names"};
/// The group frames by control-array index.
inline constexpr const char* kGroupCaptions[5] = {
    "GUID to Packed GUID", "Long File Name to Short File Name", "Numeric Value 'A'",
    "Numeric Value 'B'", "Numeric Result"};
inline constexpr const char* kStandardGuidCaption = "Standard GUID";
inline constexpr const char* kPackedGuidCaption = "Packed GUID";
inline constexpr const char* kGuidDetailsCaption = "GUID is";
inline constexpr const char* kLongFileNameCaption = "Long File Name";
inline constexpr const char* kShortFileNameCaption = "Short File Name";
inline constexpr const char* kOriginalValueCaption = "Original Value";
inline constexpr const char* kValueInHexCaption = "Value in Hex";
inline constexpr const char* kBitsCaption = "Numbers of bits set on Delimited by Commas ";
/// The bit-value frames as built; "&" would be taken as a mnemonic, hence the open caption.
inline constexpr const char* kBitsHexCaption = "Bits Values in Hex Delimited by +&H";
/// The bit-value frames once the window is open.
inline constexpr const char* kBitsHexOpenCaption =
    "Bits Values in Hex Delimited by \"+(Ampersand Character)H\"";
/// Op_Operator's option buttons by index.
inline constexpr const char* kOperatorCaptions[kOperatorCount] = {
    "Add", "Subtract", "Multiply", "Divide",         "Remainder",
    "AND", "OR",       "XOR",      "Compliment 'A'", "'B'"};
inline constexpr const char* kMsiFileCaption = "Msi File";
inline constexpr const char* kBrowseCaption = "Browse";
inline constexpr const char* kOriginalRecordCaption =
    "Original Record with FileKey and DirKeys in []";
inline constexpr const char* kFormattedRecordCaption =
    "Formatted Record where FilePaths are displayed in full  ****  NOTE If the Path contains "
    "embedded spaces it should be input in \"\"";
/// Label1's help text (CR between its two lines).
inline constexpr const char* kHelpText =
    "To use the Convertor drop the value to be converted in a appropriate field.\r"
    "The Converted value will be displayed in the other fields in the Frame once the "
    "\"Input Focus\" has changed eg the mouse is clicked another field";
inline constexpr const char* kCalculationError = "Error has occured performing calculation";
inline constexpr const char* kErrorTitle = "Error";

}  // namespace qv
