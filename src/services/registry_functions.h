#pragma once
// The registry functions of the maker's utility library (Dunardll.dll), over our registry.
// Keys start with a root ("HKLM\Software\...", "\HKCR\CLSID\...", "\HKEY_CLASSES_ROOT\...")
// or are relative to HKCU\Software\ (the settings key "Dunar\Quorvex"). Out-texts come back
// without the NUL padding of the Windows buffers; sizes keep the Windows limits.

#include <cstdint>
#include <string>

namespace qv {

/// Reads a text value (types 1, 2, 7 as text; other types read as absent) into *buffer: > 0 read
/// (the count includes the terminating NUL), 0 absent, < 0 buffer of size too small (magnitude the
/// length needed).
int32_t GetREGString(const std::string& key, const std::string& name, std::string* buffer,
                     int32_t size);
/// Reads a 32-bit value: > 0 and *value set when found.
int32_t GetREGDWord(const std::string& key, const std::string& name, int32_t* value);
/// Reads any value: > 0 when read (its length including a terminating NUL), < 0 as
/// GetREGString when size is too small, *type the registry type (1 text, 2, 3, 4,
/// 7, 11); texts as text, numbers in decimal, binary as its bytes.
int32_t GetREGData(const std::string& key, const std::string& name, std::string* buffer,
                   int32_t size, int32_t* type);
/// Writes a text value: SaveREGString(key, name, text, 1, 1); type 2 and 7 keep the text,
/// 3 its bytes, 4 and 11 its decimal number. Returns > 0 on success, 0 when not written.
int32_t SaveREGString(const std::string& key, const std::string& name, const std::string& text,
                      int32_t type, int32_t size);
/// Writes a 32-bit value: SaveREGString(key, name, value, 4, 4). Returns > 0 on success.
int32_t SaveREGString(const std::string& key, const std::string& name, int32_t value, int32_t type,
                      int32_t size);
/// Deletes a value (a tombstone hides a value of the read-only machine hives). > 0 on success,
/// 0 when no such value.
int32_t DelREGValue(const std::string& key, const std::string& name);
/// The utility library's base folder, "C:\ProgramData\Dunar" (machine-wide program data on
/// drive C), cut to size - 1 characters; returns the length copied.
int32_t SetDUNARDir(std::string* buffer, int32_t size);

}  // namespace qv
