#include "guids/product_info.h"

#include "platform/base/pending_error.h"
#include "platform/msi/installer_registration.h"
#include "state/program_state.h"

namespace qv {

std::string GetProductInfoValue(const std::string& product, const std::string& attribute) {
  const std::shared_ptr<msi::Installer>& installer = Program().InstallerObject;
  if (!installer) return "";
  // An unknown attribute or product is an answer here, not a failure to report: what was
  // pending before the call stays, the call's own failure goes.
  const PendingErrorInfo before = PendingError();
  std::string value = installer->ProductInfo(product, attribute);
  PendingError() = before;
  return value;
}

std::string GetLocalPackage(const std::string& product) {
  const std::shared_ptr<msi::Installer>& installer = Program().InstallerObject;
  if (!installer || installer->ProductState(product) < msi::kStateLocal) return "";
  return GetProductInfoValue(product, "LocalPackage");
}

}  // namespace qv
