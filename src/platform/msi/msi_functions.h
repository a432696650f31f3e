#pragma once
// The msi.dll functions the program calls, answered by our engine.

#include <cstdint>
#include <string>

namespace qv::msi {

/// Result codes of the installer's functions.
inline constexpr uint32_t kErrorSuccess = 0;
inline constexpr uint32_t kErrorInstallPackageOpenFailed = 1619;
inline constexpr uint32_t kErrorInstallPackageInvalid = 1620;

/// Checks that a file is an installer package: 0 valid; 1619 it cannot be opened (missing,
/// unreadable, or held by another process); 1620 it is no installer package.
uint32_t MsiVerifyPackageA(const std::string& packagePath);

}  // namespace qv::msi
