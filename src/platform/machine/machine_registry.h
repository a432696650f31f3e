#pragma once
// The registry of the machine in use.

#include "platform/registry/registry.h"

namespace qv {

/// The registry of CurrentMachine(): its store over its hives. Rebuilt when the machine is
/// replaced; the reference stays valid until then.
registry::Registry& CurrentRegistry();

}  // namespace qv
