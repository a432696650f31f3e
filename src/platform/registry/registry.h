#pragma once
// The registry the program sees: its own writable store over the machine's read-only hives.

#include <memory>
#include <string>
#include <vector>

#include "platform/base/status.h"
#include "platform/registry/hive.h"
#include "platform/registry/hive_source.h"
#include "platform/registry/key_path.h"
#include "platform/registry/store_file.h"
#include "platform/registry/value.h"

namespace qv::registry {

/// Layered registry. HKLM is storeDir/system.reg over the machine hive, HKCU storeDir/user.reg
/// over the user hive, HKCR HKCU\Software\Classes over HKLM\Software\Classes, HKU\<userSid>
/// is HKCU and the other HKU keys live in storeDir/users.reg over usersHive. Reads look at the
/// store first and see other instances' writes; every write is on disk when it returns. Not
/// thread-safe.
class Registry {
 public:
  /// The machine and user hives must not be null; usersHive (the other users' keys under HKU)
  /// may be. They are shared, never changed.
  Registry(std::string storeDir, std::shared_ptr<const HiveSource> machineHive,
           std::shared_ptr<const HiveSource> userHive, std::string userSid,
           std::shared_ptr<const HiveSource> usersHive = nullptr);
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  /// Reads a value ("" names the default value); NotFound when the key or value is absent.
  /// The folder values of HKLM that ReadInThirtyTwoBitView names come from the machine's
  /// 32-bit view where it has one.
  Status GetValue(const std::string& key, const std::string& name, Value* value);
  /// Writes a value into the store (creating the key); on disk before it returns.
  Status SetValue(const std::string& key, const std::string& name, const Value& value);
  /// Deletes a value, leaving a tombstone when a read-only hive below holds it; NotFound when
  /// no layer shows it.
  Status DeleteValue(const std::string& key, const std::string& name);
  /// True when any layer holds the key.
  bool KeyExists(const std::string& key);
  /// Names of the direct subkeys over all layers, each once, in case-insensitive order.
  std::vector<std::string> SubkeyNames(const std::string& key);
  /// The values a read would find, in the order the key holds them (the store's own after the
  /// machine's), each name once.
  std::vector<NamedValue> Values(const std::string& key);
  /// Names of the values a read would find, in the order of Values ("" for the default).
  std::vector<std::string> ValueNames(const std::string& key);
  /// The store file behind a root (HKLM, HKCU or HKU); for tests and diagnostics.
  StoreFile& StoreOf(Root root);

 private:
  struct Layer {
    std::unique_ptr<StoreFile> store;
    std::shared_ptr<const HiveSource> base;
  };
  struct Location {
    Layer* layer;
    std::string path;
  };
  std::vector<Location> Locate(const std::string& key);
  // The value a layer shows (its store over its hive); false when neither holds it or the
  // store hides it.
  static bool Visible(Layer& layer, const std::string& path, const std::string& name, Value* value);

  Layer m_machine;
  Layer m_user;
  Layer m_users;
  std::string m_userSid;
};

}  // namespace qv::registry
