#pragma once
// Hives made of other hives: layers read top first, and a part of a hive seen at another
// place (the HKEY_CLASSES_ROOT keys of an export seen under Software\Classes of the machine).

#include <memory>
#include <string>
#include <vector>

#include "platform/registry/hive_source.h"

namespace qv::registry {

/// Hives laid over each other: a value comes from the first layer that holds it (a tombstone
/// there hides the layers below), keys and subkeys are those of all layers.
class StackedHive : public HiveSource {
 public:
  /// layers[0] is the top; none may be null.
  explicit StackedHive(std::vector<std::shared_ptr<const HiveSource>> layers);

  bool KeyExists(std::string_view path) const override;
  bool ReadValue(std::string_view path, std::string_view name, Value* value) const override;
  std::vector<NamedValue> Values(std::string_view path) const override;
  std::vector<std::string> SubkeyNames(std::string_view path) const override;

 private:
  std::vector<std::shared_ptr<const HiveSource>> m_layers;
};

/// The key from of source, with everything below it, seen at the key at: ("HKEY_CLASSES_ROOT",
/// "Software\Classes") shows an export's class keys where Windows keeps them. The keys above
/// at exist as the way to it; nothing else does.
class MountedHive : public HiveSource {
 public:
  /// source must not be null; from and at are key paths ("" the root).
  MountedHive(std::shared_ptr<const HiveSource> source, std::string from, std::string at);

  bool KeyExists(std::string_view path) const override;
  bool ReadValue(std::string_view path, std::string_view name, Value* value) const override;
  std::vector<NamedValue> Values(std::string_view path) const override;
  std::vector<std::string> SubkeyNames(std::string_view path) const override;

 private:
  enum class Place { kOutside, kAbove, kInside };
  // Where path lies against the mount point; *inSource gets its path in the source when it
  // lies inside.
  Place Locate(std::string_view path, std::string* inSource) const;

  std::shared_ptr<const HiveSource> m_source;
  std::string m_from;
  std::vector<std::string> m_at;  // components of the mount point
};

}  // namespace qv::registry
