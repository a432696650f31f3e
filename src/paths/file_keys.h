#pragma once
// Installer keys resolved through the current package: File keys to file paths, Component
// keys to folders, plain keys to property values or folders, and the file list.

#include <memory>
#include <string>

#include "platform/msi/automation.h"

namespace qv {

/// Fills the file list for a package (each File key with its full long path), unless it is
/// loaded for that package already. skipConditioned leaves out files of components that
/// have a condition.
void LoadFileList(std::shared_ptr<msi::Database> database, const std::string& packagePath,
                  bool skipConditioned);
/// The full path of a File key (its short path when shortPath is true); "" when unknown.
std::string ResolveFileKey(const std::shared_ptr<msi::Database>& database, const std::string& key,
                           bool shortPath);
/// The target folder of a Component key, without a trailing '\'; "" when unknown.
std::string ResolveComponentKey(const std::shared_ptr<msi::Database>& database,
                                const std::string& key);
/// A product property of the package, or else the folder of a Directory key, or else the key.
std::string ResolvePlainKey(const std::shared_ptr<msi::Database>& database,
                            const std::string& packagePath, const std::string& key);
/// The folder of the directory-list entry that holds key; the key itself when none does.
std::string FindDirectoryKey(const std::shared_ptr<msi::Database>& database,
                             const std::string& packagePath, const std::string& key);

}  // namespace qv
