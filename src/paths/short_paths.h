#pragma once
// Short (8.3) forms of paths, also for folders that do not exist yet.

#include <string>

namespace qv {

/// The short form of a path: through the file system for the parts that exist, and as the
/// short name the temp folder would give each part that does not.
std::string ShortPathOf(const std::string& path);
/// A short name for one path part (a trailing '\' is kept), made by creating a file of that
/// name in the temp folder; "Could not generate SFN from - " + part when that fails.
std::string ShortNameOfMissing(const std::string& part);

}  // namespace qv
