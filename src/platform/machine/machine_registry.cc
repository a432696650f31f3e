#include "platform/machine/machine_registry.h"

#include <memory>
#include <mutex>

#include "platform/machine/machine.h"

namespace qv {
namespace {

std::mutex g_mutex;
std::shared_ptr<const Machine> g_builtFor;
std::unique_ptr<registry::Registry> g_registry;

}  // namespace

registry::Registry& CurrentRegistry() {
  std::shared_ptr<const Machine> machine = CurrentMachinePtr();
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_registry || g_builtFor != machine) {
    auto empty = std::make_shared<const registry::Hive>();
    g_registry = std::make_unique<registry::Registry>(
        machine->storeDir, machine->machineHive ? machine->machineHive : empty,
        machine->userHive ? machine->userHive : empty, machine->userSid, machine->usersHive);
    g_builtFor = machine;  // held, so a new machine never reuses its address
  }
  return *g_registry;
}

}  // namespace qv
