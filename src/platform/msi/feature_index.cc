#include "platform/msi/feature_index.h"

#include <mutex>

#include "platform/machine/machine.h"
#include "platform/machine/machine_registry.h"
#include "platform/msi/installer_registration.h"
#include "platform/registry/name_compare.h"

namespace qv::msi {

void FeatureIndex::Add(const std::string& packedProduct, const std::string& feature) {
  m_products[registry::FoldName(feature)].insert(registry::FoldName(packedProduct));
}

bool FeatureIndex::Knows(const std::string& feature) const {
  return m_products.count(registry::FoldName(feature)) != 0;
}

bool FeatureIndex::Registers(const std::string& packedProduct, const std::string& feature) const {
  const auto found = m_products.find(registry::FoldName(feature));
  return found != m_products.end() && found->second.count(registry::FoldName(packedProduct)) != 0;
}

std::shared_ptr<const FeatureIndex> CurrentFeatureIndex() {
  static std::mutex mutex;
  static std::shared_ptr<const Machine> indexed;
  static std::shared_ptr<const FeatureIndex> index;
  std::lock_guard<std::mutex> lock(mutex);
  std::shared_ptr<const Machine> machine = CurrentMachinePtr();
  InstallerRegistration registration(CurrentRegistry(), machine->userSid);
  if (!registration.FeaturesFromMachineOnly()) return nullptr;
  if (machine != indexed) {
    index = std::make_shared<const FeatureIndex>(registration.ReadFeatureIndex());
    indexed = machine;
  }
  return index;
}

}  // namespace qv::msi
