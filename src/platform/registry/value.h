#pragma once
// A typed registry value as the registry keeps it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::registry {

/// Registry value types the registry keeps with their meaning; other type numbers are kept
/// as raw bytes.
enum ValueType : uint32_t {
  kNone = 0,
  kText = 1,
  kExpandText = 2,
  kBinary = 3,
  kDword = 4,
  kMultiText = 7,
  kQword = 11,
};

/// One value. data holds: UTF-8 text for types 1 and 2; for type 7 each UTF-8 string followed
/// by a NUL ("a\0b\0"); 4 (type 4) or 8 (type 11) little-endian bytes; raw bytes otherwise.
/// A tombstone hides a value of a lower layer.
struct Value {
  uint32_t type = kNone;
  std::string data;
  bool tombstone = false;

  /// A type 1 (or 2) text value.
  static Value Text(const std::string& text, uint32_t type = kText);
  /// A type 7 value of the given strings.
  static Value MultiText(const std::vector<std::string>& strings);
  /// A type 4 value.
  static Value Dword(uint32_t number);
  /// A type 11 value.
  static Value Qword(uint64_t number);
  /// A value of any type from its raw data.
  static Value Raw(uint32_t type, std::string bytes);
  /// The marker that hides a lower layer's value.
  static Value Tombstone();
  /// A value of a text type from its characters as stored (UTF-8, NULs included): types 1 and
  /// 2 lose their trailing NULs, type 7 ends in exactly one NUL (an empty list is empty); other
  /// types are kept as given.
  static Value FromStoredText(uint32_t type, std::string text);
  /// A value from the bytes Windows stores for it: texts (types 1, 2 and 7) as UTF-16LE with
  /// their terminating NULs, numbers little-endian, anything else as it is.
  static Value FromStoredBytes(uint32_t type, std::string_view bytes);
  /// The bytes Windows stores for the value (the reverse of FromStoredBytes): texts as UTF-16LE
  /// with a terminating NUL (type 7 with the empty string that ends the list).
  std::string StoredBytes() const;

  /// True for types 1, 2 and 7.
  bool IsText() const { return type == kText || type == kExpandText || type == kMultiText; }
  /// The number of a type 4 or 11 value (the first bytes of shorter data, zero-padded).
  uint64_t Number() const;
  /// The strings of a type 7 value.
  std::vector<std::string> Strings() const;

  bool operator==(const Value&) const = default;
};

}  // namespace qv::registry
