#include "guids/package_value.h"

#include "platform/base/ascii_case.h"
#include "platform/base/nul_text.h"
#include "platform/msi/msi_functions.h"
#include "services/installer_helpers.h"

namespace qv {
namespace {

constexpr int32_t kValueRoom = 1000;

bool IsFolderName(const std::string& name) {
  return EqualsNoCase(name, "TARGETDIR") || EqualsNoCase(name, "SOURCEDIR") ||
         EqualsNoCase(name, "INSTALLDIR");
}

// The folder a session on the package resolves for a Directory key; "" when it has none.
std::string TargetPathOf(const std::string& packagePath, const std::string& name) {
  msi::MsiSetInternalUI(msi::kUiLevelNone, nullptr);
  msi::MSIHANDLE database = 0;
  if (OpenMsiDatabase(packagePath, &database, "0") == 0) return "";
  msi::MSIHANDLE install = 0;
  std::string path;
  if (OpenMsiInstall("", database, &install) != 0) {
    uint32_t size = kValueRoom;
    if (msi::MsiGetTargetPathA(install, name, &path, &size) != msi::kErrorSuccess) path.clear();
    msi::MsiCloseHandle(install);
  }
  msi::MsiCloseHandle(database);
  return std::string(CutAtNul(path));
}

}  // namespace

std::string GetPackageValue(const std::string& packagePath, const std::string& name) {
  if (packagePath.empty()) return "";
  if (IsFolderName(name)) return TargetPathOf(packagePath, name);
  msi::MSIHANDLE database = 0;
  msi::MSIHANDLE view = 0;
  std::string value;
  int32_t size = kValueRoom;
  if (GetMSISRec(&database, packagePath, 0, &view, "Property", "Property", name, 2, &value,
                 &size) == 0) {
    return "";
  }
  return std::string(CutAtNul(value));
}

}  // namespace qv
