#pragma once
// What the Windows Installer has registered on a machine, read from its registry in the layout
// the installer writes: per-machine installs under S-1-5-18, the user's managed and unmanaged
// installs, and advertised products. States and attribute values are the ones Wine's
// installer gives for the same registry.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/msi/feature_index.h"
#include "platform/msi/result_codes.h"
#include "platform/registry/registry.h"

namespace qv::msi {

/// Installer states (INSTALLSTATE) of products and features.
inline constexpr int kStateBadConfig = -6;
inline constexpr int kStateInvalidArg = -2;
inline constexpr int kStateUnknown = -1;
inline constexpr int kStateAdvertised = 1;
inline constexpr int kStateAbsent = 2;
inline constexpr int kStateLocal = 3;
inline constexpr int kStateSource = 4;
inline constexpr int kStateDefault = 5;

/// The SID under which per-machine installs are registered.
inline constexpr const char* kMachineSid = "S-1-5-18";

/// Registration queries over a registry, for the user with SID userSid. Reads the registry at
/// every call; keeps nothing.
class InstallerRegistration {
 public:
  /// The registry must outlive the object.
  InstallerRegistration(registry::Registry& registry, std::string userSid);

  /// A product's state: 5 installed, 1 advertised (registered, not installed), 2 absent
  /// (installed for the user but no longer registered), -1 unknown, -2 not 38 characters.
  int ProductState(const std::string& product);
  /// An attribute of a product into *value: 0, or 87 product not a GUID, 1605 product not
  /// registered, 1608 attribute unknown (or, for an attribute of installed products, the
  /// product is only advertised), 1610 a package code that is not a packed GUID.
  uint32_t ProductInfo(const std::string& product, const std::string& attribute,
                       std::string* value);
  /// A feature's state: 3 local, 4 run from source, 1 advertised, 2 absent, -1 unknown,
  /// -6 damaged component list, -2 product not a GUID.
  int FeatureState(const std::string& product, const std::string& feature);
  /// The products that know a feature, each with its FeatureState, in the order of Products;
  /// a product for which it is unknown is left out. With an index of this registry, only the
  /// products it names are asked.
  std::vector<std::pair<std::string, int>> FeatureStates(const std::string& feature,
                                                         const FeatureIndex* index);
  /// Every product's registered features, in all three contexts.
  FeatureIndex ReadFeatureIndex();
  /// True when the program's own store holds no product's feature registration, so the
  /// registrations come from the machine's hives alone (which never change).
  bool FeaturesFromMachineOnly();
  /// The registered products: the machine's, the user's unmanaged, the user's managed, each
  /// in key order and each product once.
  std::vector<std::string> Products();
  /// The products a component is installed for into *products, the user's before the
  /// machine's, each once, in registration order; 0, or 1607 when the component is not
  /// registered or has no client.
  uint32_t ComponentClients(const std::string& component, std::vector<std::string>* products);
  /// The registered components in the installer's enumeration order: the user's, then the
  /// machine's, each in key order (a component of both comes twice).
  std::vector<std::string> Components();
  /// True when the program's own store holds no component registration, so Components
  /// comes from the machine's hives alone (which never change) and may be kept.
  bool ComponentsFromMachineOnly();

 private:
  enum class Context { kNone, kUserManaged, kUserUnmanaged, kMachine };
  // Where the product is registered: its product key, and the SID of its user data.
  struct Registration {
    Context context = Context::kNone;
    std::string productKey;
    std::string sid;
  };
  Registration Find(const std::string& packed, const char* kind);
  // The keys holding one subkey per registered product of a kind, in the order Find tries them.
  std::vector<std::string> ContextKeys(const char* kind) const;
  std::string UserDataKey(const std::string& sid) const;
  // True when the program's own store (not the machine's hives below it) holds the key.
  bool StoreHolds(const std::string& key);
  std::string Text(const std::string& key, const std::string& name, bool* found, uint32_t* type);

  registry::Registry& m_registry;
  std::string m_userSid;
};

}  // namespace qv::msi
