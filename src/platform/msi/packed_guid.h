#pragma once
// The forms under which the Windows Installer keeps GUIDs in the registry: packed (key and
// value names) and compressed (the component lists of features).

#include <string>
#include <string_view>

namespace qv::msi {

/// True for "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with hexadecimal digits of any case.
bool IsStandardGuid(std::string_view guid);

/// The packed form of a standard GUID: the digits of each of the first three groups reversed,
/// then the last 16 digits with the two digits of each pair swapped; the letters keep their
/// case. False (and *packed empty) when guid is not a standard GUID.
bool PackGuid(std::string_view guid, std::string* packed);

/// The standard form of 32 packed hexadecimal digits, letters keeping their case. False (and
/// *guid empty) when packed is not 32 hexadecimal digits.
bool UnpackGuid(std::string_view packed, std::string* guid);

/// The standard GUID (upper case) of a compressed GUID: 20 characters, five per 32-bit part,
/// least significant first, in the installer's 85-character alphabet. False when the text is
/// shorter or holds a character outside the alphabet.
bool DecodeCompressedGuid(std::string_view compressed, std::string* guid);

/// The compressed form of a standard GUID; false when guid is not one.
bool EncodeCompressedGuid(std::string_view guid, std::string* compressed);

}  // namespace qv::msi
