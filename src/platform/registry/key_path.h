#pragma once
// Registry key paths as callers write them: a root (short or long name, optionally after a
// '\'), or no root at all for a path relative to HKCU\Software.

#include <string>

namespace qv::registry {

/// The roots a key path can start with.
enum class Root { kLocalMachine, kCurrentUser, kClassesRoot, kUsers };

/// A key path split into its root and the path below it.
struct KeyPath {
  Root root = Root::kCurrentUser;
  std::string path;  ///< components joined by '\', no empty components; "" is the root itself
};

/// Splits text into root and path: "HKLM\Software\x", "\HKEY_CLASSES_ROOT\CLSID\{..}",
/// "HKEY_USERS\S-1-5-18"; a path without a root ("Dunar\Quorvex", "") lives under
/// HKCU\Software. Empty components (doubled or trailing '\') are dropped.
KeyPath ParseKeyPath(const std::string& text);

/// The short name of a root ("HKLM", "HKCU", "HKCR", "HKU").
const char* RootName(Root root);

/// path with component appended ("" + "a" is "a").
std::string JoinKeyPath(const std::string& path, const std::string& component);

}  // namespace qv::registry
