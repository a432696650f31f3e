#pragma once

#include <memory>

#include "platform/msi/automation.h"

namespace qv::msi {

/// Our engine's installer object, on the current machine.
std::shared_ptr<Installer> MakeEngineInstaller();

}  // namespace qv::msi
