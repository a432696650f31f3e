#pragma once
// Which products register which features, read once from a machine's hives so that asking
// every product for a feature it does not have costs a lookup rather than a registry walk.

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace qv::msi {

/// For each feature name (letter case aside), the packed codes of the products whose Features
/// key holds it in some context.
class FeatureIndex {
 public:
  /// Notes that the product (its packed code) registers feature.
  void Add(const std::string& packedProduct, const std::string& feature);
  /// True when some product registers feature.
  bool Knows(const std::string& feature) const;
  /// True when the product (its packed code) registers feature.
  bool Registers(const std::string& packedProduct, const std::string& feature) const;

 private:
  std::unordered_map<std::string, std::unordered_set<std::string>> m_products;
};

/// The index of the current machine, read once and kept while the machine stays current and
/// the program's store holds no feature registration of its own (the machine's hives never
/// change); null when the store holds one, so each product must be asked in the registry.
std::shared_ptr<const FeatureIndex> CurrentFeatureIndex();

}  // namespace qv::msi
