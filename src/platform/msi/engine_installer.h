#pragma once

#include <memory>
#include <string>

#include "platform/base/status.h"
#include "platform/msi/automation.h"
#include "platform/msi/package_database.h"

namespace qv::msi {

/// Our engine's installer object, on the current machine.
std::shared_ptr<Installer> MakeEngineInstaller();

/// Opens a package file (host path, or Windows path through the machine's drives) as the
/// installer's OpenDatabase does, without touching the pending error. Busy when another
/// process holds the file; the status names the failure.
Status OpenPackageDatabase(const std::string& path, int mode,
                           std::shared_ptr<PackageDatabase>* database);

}  // namespace qv::msi
