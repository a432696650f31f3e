#pragma once
// Resolves a package's Directory table into target and source folders, the way costing does:
// roots from TARGETDIR/ROOTDRIVE and SourceDir, other folders from their parent and their
// DefaultDir names, or from a property of the folder's own key.

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qv::msi {

/// One row of the Directory table.
struct DirectoryRow {
  std::string key;
  std::string parent;      ///< "" for a root
  std::string defaultDir;  ///< [targetShort|]targetLong[:[sourceShort|]sourceLong]
};

/// The four names a DefaultDir value holds; short names equal long ones when absent.
struct DefaultDirNames {
  std::string targetShort;
  std::string targetLong;
  std::string sourceShort;
  std::string sourceLong;
};

/// Splits a DefaultDir value into its target and source names.
DefaultDirNames SplitDefaultDir(const std::string& defaultDir);

/// A resolved folder; both paths end with '\'.
struct ResolvedDirectory {
  std::string target;
  std::string source;
};

/// Reads a property of the session ("" when not set).
using PropertyReader = std::function<std::string(const std::string&)>;

/// Resolves every row. Keys that cannot be resolved (a parent that does not exist, a cycle)
/// are left out of the result. shortSourceNames: the package's word count has bit 0 set.
/// Keys are matched exactly, as the installer does.
std::map<std::string, ResolvedDirectory> ResolveDirectories(const std::vector<DirectoryRow>& rows,
                                                            const PropertyReader& property,
                                                            bool shortSourceNames);

/// path with a '\' appended unless it already ends with one (an empty path stays empty).
std::string WithTrailingBackslash(const std::string& path);

}  // namespace qv::msi
