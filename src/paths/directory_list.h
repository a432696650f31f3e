#pragma once
// The directory list of the current package: every Directory key's target folder and the
// system folders, one record per distinct path, sorted by path for binary search.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/msi/automation.h"

namespace qv {

/// The system-folder names in the order that decides how merged keys are listed.
extern const char* const kSystemFolderNames;

/// Fills the directory list for a package (nothing to do when it is loaded for that package);
/// opens the package itself when database is null. secondList is not used.
void ResolveDirectoryTable(std::shared_ptr<msi::Database> database, const std::string& packagePath,
                           int32_t secondList);
/// The target folder of a Directory key through the open session; the Windows volume when it
/// cannot be resolved.
std::string DirectoryTargetPath(const std::string& key);
/// Adds a system-folder record (a '\' is appended to path when missing).
void AddFolderEntry(const std::string& name, const std::string& path);
/// A text value of the registry; "" when it cannot be read.
std::string ReadShellFolder(const std::string& keyPath, const std::string& valueName);
/// The long form of a path, or the path itself when it has none (it does not exist).
std::string LongPathOf(const std::string& path);
/// True when list holds records built from packagePath.
bool ListLoadedFor(const std::string& packagePath, int32_t list);
/// Records that list was built from packagePath ("" forgets it).
void MarkListBuiltFor(int32_t list, const std::string& packagePath);
/// Forgets the directory list and the file list (another package was chosen).
void ResetPathLists();
/// The system's temporary-files folder.
std::string TempDir();

}  // namespace qv
