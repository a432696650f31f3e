#pragma once
// A hive held in memory: keys by path, each with its named values, names compared without
// regard to case. The program's own store and the built-in machine profile are such hives.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/registry/hive_source.h"
#include "platform/registry/value.h"

namespace qv::registry {

/// A line of a hive file that a key keeps as written (a comment, or a line the reader could
/// not read), so that writing the hive back loses nothing.
struct KeptLine {
  /// The value the line comes before (its index in Key::values()); kAtEnd: after them all.
  std::size_t before = 0;
  std::string text;
  static constexpr std::size_t kAtEnd = SIZE_MAX;
};

/// A key of a hive: its path as first written and its values in the order first written.
/// A value read from a file keeps the line it was read from until it changes, and the key
/// keeps the lines of its section that were not values, each at its place among them.
class Key {
 public:
  std::string path;  ///< path below the hive's root, components joined by '\'

  /// The values (name as written, value), in the order they were first set.
  const std::vector<NamedValue>& values() const { return m_values; }
  /// The value named name (any case); null when absent. Valid until the key changes.
  const Value* Find(std::string_view name) const;
  /// Sets a value; a new name goes last, an existing one keeps its place and first spelling.
  /// An existing value set to what it holds keeps the line it was read from.
  void Set(const std::string& name, Value value);
  /// Sets a value as a line of a file gives it (written: the line as the file has it).
  void SetRead(const std::string& name, Value value, std::string written);
  /// Removes a value; false when it was not there.
  bool Remove(std::string_view name);
  /// The line value index was read from; "" when it was set otherwise or changed since.
  const std::string& WrittenLine(std::size_t index) const;
  /// Keeps a line as written before the next value read (atEnd: after every value).
  void Keep(std::string text, bool atEnd);
  /// The lines kept as written, in file order.
  const std::vector<KeptLine>& kept() const { return m_kept; }

 private:
  // Position of a name in m_values; keys with few values are searched without it.
  std::size_t IndexOf(std::string_view name) const;
  std::vector<NamedValue> m_values;
  std::vector<std::string> m_written;  // parallel to m_values
  std::vector<KeptLine> m_kept;
  std::unordered_map<std::string, std::size_t> m_index;  // folded name -> position
};

/// A tree of keys held as a flat map of paths; a key implies all its parents.
class Hive : public HiveSource {
 public:
  /// The key at path (components separated by '\', no leading or trailing '\'); null when
  /// absent. The pointer stays valid until the hive is changed.
  const Key* FindKey(std::string_view path) const;
  /// The key at path, created (with no values) when absent.
  Key* CreateKey(const std::string& path);
  /// The value name of key path; null when either is absent.
  const Value* FindValue(std::string_view path, std::string_view name) const;
  /// Sets (or replaces) a value, creating its key.
  void SetValue(const std::string& path, const std::string& name, Value value);
  /// Removes a value; false when it was not there.
  bool RemoveValue(std::string_view path, std::string_view name);
  /// All keys by folded path, in folded order.
  const std::map<std::string, Key>& keys() const { return m_keys; }
  /// True when the hive holds no key.
  bool empty() const { return m_keys.empty(); }
  /// Lines of a file that belong to no key (before its first key line), kept as written.
  const std::vector<std::string>& preamble() const { return m_preamble; }
  /// Keeps a line of no key as written.
  void KeepPreamble(std::string text) { m_preamble.push_back(std::move(text)); }

  bool KeyExists(std::string_view path) const override;
  bool ReadValue(std::string_view path, std::string_view name, Value* value) const override;
  std::vector<NamedValue> Values(std::string_view path) const override;
  std::vector<std::string> SubkeyNames(std::string_view path) const override;

 private:
  std::map<std::string, Key> m_keys;
  std::vector<std::string> m_preamble;
};

/// The keys of hive under prefix (a root such as "HKEY_LOCAL_MACHINE"), moved to the top, as
/// when a regedit export is split into the hives it came from.
Hive HiveBelow(const Hive& hive, const std::string& prefix);

}  // namespace qv::registry
