#pragma once
// A registered product's attributes as the installer object answers them, failures read as
// empty texts.

#include <string>

namespace qv {

/// The installer's attribute of a product ("ProductName", "VersionString", ...); "" when the
/// product or the attribute is unknown, or there is no installer object. Leaves no pending
/// error behind.
std::string GetProductInfoValue(const std::string& product, const std::string& attribute);

/// The path of an installed product's cached package (its "LocalPackage"); "" for a product
/// that is not installed (advertised, absent or unknown).
std::string GetLocalPackage(const std::string& product);

}  // namespace qv
