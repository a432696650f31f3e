#pragma once
// The directory search the file list walks (Windows FindFirstFile / Visual Basic Dir): the
// entries of one folder whose long or short name matches a wildcard mask.

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/status.h"
#include "platform/fs/folder_listing.h"
#include "platform/machine/machine.h"

namespace qv::fs {

/// True when the name matches the mask: '*' any run of characters, '?' one character, other
/// characters without regard to case. As on Windows, "*.*" matches every name and a mask
/// ending in ".*" also matches the name without any extension ("setup.*" finds "setup").
bool WildcardMatch(std::string_view mask, std::string_view name);

/// The entries matching the last component of a path ("C:\pkgs\*.Msi", "/srv/pkgs/*.msi") in
/// the folder before it, sorted without regard to case; a name matches through its long name
/// or its short name, so "*.Msi" also finds "setup.msix" (SETUP~1.MSI). A mask without
/// wildcards finds the entry it names (exactly, then without regard to case, then by short
/// name); an empty mask is "*". NotFound when the folder does not exist.
Status FindFiles(const Machine& machine, const std::string& pattern,
                 std::vector<FolderEntry>* found);

}  // namespace qv::fs
