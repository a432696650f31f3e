#pragma once
// Result codes of the installer's function library (Windows error numbers).

#include <cstdint>

namespace qv::msi {

inline constexpr uint32_t kErrorSuccess = 0;
inline constexpr uint32_t kErrorInvalidHandle = 6;
inline constexpr uint32_t kErrorInvalidParameter = 87;
inline constexpr uint32_t kErrorMoreData = 234;
inline constexpr uint32_t kErrorNoMoreItems = 259;
inline constexpr uint32_t kErrorDirectory = 267;
inline constexpr uint32_t kErrorUnknownProduct = 1605;
inline constexpr uint32_t kErrorUnknownComponent = 1607;
inline constexpr uint32_t kErrorUnknownProperty = 1608;
inline constexpr uint32_t kErrorBadConfiguration = 1610;
inline constexpr uint32_t kErrorBadQuerySyntax = 1615;
inline constexpr uint32_t kErrorInstallPackageOpenFailed = 1619;
inline constexpr uint32_t kErrorInstallPackageInvalid = 1620;
inline constexpr uint32_t kErrorFunctionNotCalled = 1626;
inline constexpr uint32_t kErrorFunctionFailed = 1627;

}  // namespace qv::msi
