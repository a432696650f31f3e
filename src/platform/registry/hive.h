#pragma once
// A hive: keys by path, each with its named values, names compared without regard to case.

#include <map>
#include <string>
#include <vector>

#include "platform/registry/value.h"

namespace qv::registry {

/// A key of a hive: its path as first written and its values by folded name.
struct Key {
  std::string path;  ///< path below the hive's root, components joined by '\'
  /// Folded value name to (name as written, value); the default value has the name "".
  std::map<std::string, std::pair<std::string, Value>> values;
};

/// A tree of keys held as a flat map of paths; a key implies all its parents.
class Hive {
 public:
  /// The key at path (components separated by '\', no leading or trailing '\'); null when
  /// absent. The pointer stays valid until the hive is changed.
  const Key* FindKey(const std::string& path) const;
  /// The key at path, created (with no values) when absent.
  Key* CreateKey(const std::string& path);
  /// True when the key exists, written or implied by a subkey.
  bool KeyExists(const std::string& path) const;
  /// The value name of key path; null when either is absent.
  const Value* FindValue(const std::string& path, const std::string& name) const;
  /// Sets (or replaces) a value, creating its key.
  void SetValue(const std::string& path, const std::string& name, Value value);
  /// Removes a value; false when it was not there.
  bool RemoveValue(const std::string& path, const std::string& name);
  /// Names of the direct subkeys of path (as first written), in folded order.
  std::vector<std::string> SubkeyNames(const std::string& path) const;
  /// All keys by folded path, in folded order.
  const std::map<std::string, Key>& keys() const { return m_keys; }
  /// True when the hive holds no key.
  bool empty() const { return m_keys.empty(); }

 private:
  std::map<std::string, Key> m_keys;
};

/// The keys of hive under prefix (a root such as "HKEY_LOCAL_MACHINE"), moved to the top, as
/// when a regedit export is split into the hives it came from.
Hive HiveBelow(const Hive& hive, const std::string& prefix);

}  // namespace qv::registry
