#pragma once
// Read access to the keys of one hive, whatever holds them: keys built in memory, a hive file
// indexed when loaded and read on demand, layers of hives, or a Windows hive file.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry/value.h"

namespace qv::registry {

/// A value with its name as written ("" for the default value).
using NamedValue = std::pair<std::string, Value>;

/// The read side of a hive. Paths are components joined by '\' without a leading or trailing
/// '\' ("" is the hive's root); key and value names compare without regard to case. A
/// tombstone (a value that hides the same value of a hive below) is reported like a value.
/// Implementations are immutable once built, so their const methods may run on any thread.
class HiveSource {
 public:
  virtual ~HiveSource() = default;
  /// True when the key exists, written or implied by a subkey; the root always exists.
  virtual bool KeyExists(std::string_view path) const = 0;
  /// Copies the value name of key path into *value; false when the key or value is absent.
  virtual bool ReadValue(std::string_view path, std::string_view name, Value* value) const = 0;
  /// The key's values in the order they were first written; empty when the key is absent.
  virtual std::vector<NamedValue> Values(std::string_view path) const = 0;
  /// Names of the direct subkeys (as first written) in case-insensitive order.
  virtual std::vector<std::string> SubkeyNames(std::string_view path) const = 0;
};

}  // namespace qv::registry
