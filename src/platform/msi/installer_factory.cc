#include <utility>

#include "platform/base/pending_error.h"
#include "platform/msi/automation.h"
#include "platform/msi/engine_installer.h"

namespace qv::msi {
namespace {

InstallerFactory& Factory() {
  static InstallerFactory factory;
  return factory;
}

}  // namespace

std::shared_ptr<Installer> CreateInstallerObject() {
  std::shared_ptr<Installer> installer = Factory() ? Factory()() : MakeEngineInstaller();
  if (!installer) {
    // What CreateObject reports when the class cannot be created.
    SetPendingError(429, "QuorvexConverter", "ActiveX component can't create object");
  }
  return installer;
}

void SetInstallerFactory(InstallerFactory factory) {
  Factory() = std::move(factory);
}

}  // namespace qv::msi
