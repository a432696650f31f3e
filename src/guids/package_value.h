#pragma once
// One value of a package, read without the program's open database: a Property-table value,
// or the folder a session resolves for the package's target, source or install folder.

#include <string>

namespace qv {

/// The package's Property value called name, read through the installer helper library; for
/// "TARGETDIR", "SOURCEDIR" and "INSTALLDIR" (any case) the folder a session on the package
/// resolves for that key. "" for an empty path, a package that does not open, or a name the
/// package lacks.
std::string GetPackageValue(const std::string& packagePath, const std::string& name);

}  // namespace qv
