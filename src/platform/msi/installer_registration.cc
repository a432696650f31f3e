#include "platform/msi/installer_registration.h"

#include <set>

#include "platform/msi/packed_guid.h"
#include "platform/registry/key_path.h"
#include "platform/registry/name_compare.h"

namespace qv::msi {
namespace {

constexpr const char* kInstallerKey =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer";
constexpr const char* kUnmanagedKey = "HKCU\\Software\\Microsoft\\Installer";
constexpr const char* kMachineKey = "HKLM\\Software\\Classes\\Installer";
constexpr const char* kNoProduct = "00000000000000000000000000000000";

// Attributes kept with the installed product (its InstallProperties key), and the value names
// of the two that are stored under another name.
constexpr const char* kInstalledAttributes[] = {
    "InstalledProductName", "VersionString", "LocalPackage",  "InstallLocation",
    "InstallSource",        "InstallDate",   "Publisher",     "VersionMajor",
    "VersionMinor",         "HelpLink",      "HelpTelephone", "URLInfoAbout",
    "URLUpdateInfo",        "ProductID",     "RegCompany",    "RegOwner"};
// Attributes kept with the registration (the product key), advertised or installed.
constexpr const char* kRegisteredAttributes[] = {
    "ProductName",    "PackageCode",  "Language",    "Version",          "Transforms",
    "AssignmentType", "InstanceType", "ProductIcon", "AuthorizedLUAApp", "PackageName"};

// Attribute names compare exactly, as the installer compares them.
bool IsOneOf(const std::string& name, const char* const* names, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (name == names[i]) return true;
  }
  return false;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

InstallerRegistration::InstallerRegistration(registry::Registry& registry, std::string userSid)
    : m_registry(registry), m_userSid(std::move(userSid)) {}

std::string InstallerRegistration::UserDataKey(const std::string& sid) const {
  return std::string(kInstallerKey) + "\\UserData\\" + sid;
}

// Text as the installer reads an attribute: a string up to its first NUL, a DWORD in
// decimal, any other type as "".
std::string InstallerRegistration::Text(const std::string& key, const std::string& name,
                                        bool* found, uint32_t* type) {
  registry::Value v;
  *found = m_registry.GetValue(key, name, &v).ok();
  *type = *found ? v.type : registry::kNone;
  if (!*found) return "";
  if (v.type == registry::kText) return v.data.substr(0, v.data.find('\0'));
  if (v.type == registry::kDword) return std::to_string(static_cast<uint32_t>(v.Number()));
  return "";
}

std::vector<std::string> InstallerRegistration::ContextKeys(const char* kind) const {
  return {std::string(kInstallerKey) + "\\Managed\\" + m_userSid + "\\Installer\\" + kind,
          std::string(kUnmanagedKey) + "\\" + kind, std::string(kMachineKey) + "\\" + kind};
}

// The user's managed registration comes first, then the unmanaged one, then the machine's.
InstallerRegistration::Registration InstallerRegistration::Find(const std::string& packed,
                                                                const char* kind) {
  constexpr Context kContexts[] = {Context::kUserManaged, Context::kUserUnmanaged,
                                   Context::kMachine};
  const std::vector<std::string> keys = ContextKeys(kind);
  Registration r;
  r.sid = m_userSid;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::string key = keys[i] + "\\" + packed;
    if (m_registry.KeyExists(key)) {
      r.context = kContexts[i];
      r.productKey = key;
      if (r.context == Context::kMachine) r.sid = kMachineSid;
      break;
    }
  }
  return r;
}

int InstallerRegistration::ProductState(const std::string& product) {
  if (product.size() != 38) return kStateInvalidArg;
  std::string packed;
  if (!PackGuid(product, &packed)) return kStateUnknown;
  const Registration r = Find(packed, "Products");
  const std::string properties =
      UserDataKey(r.sid) + "\\Products\\" + packed + "\\InstallProperties";
  const bool installed = m_registry.KeyExists(properties);
  if (r.context == Context::kNone) return installed ? kStateAbsent : kStateUnknown;
  if (!installed) return kStateAdvertised;
  registry::Value flag;
  if (!m_registry.GetValue(properties, "WindowsInstaller", &flag).ok() ||
      flag.type != registry::kDword) {
    return kStateAdvertised;
  }
  return flag.Number() != 0 ? kStateDefault : kStateUnknown;
}

uint32_t InstallerRegistration::ProductInfo(const std::string& product,
                                            const std::string& attribute, std::string* value) {
  value->clear();
  std::string packed;
  if (!PackGuid(product, &packed)) return kErrorInvalidParameter;
  const Registration r = Find(packed, "Products");
  bool found = false;
  uint32_t type = registry::kNone;
  if (IsOneOf(attribute, kInstalledAttributes, std::size(kInstalledAttributes))) {
    if (r.context == Context::kNone) return kErrorUnknownProduct;
    const std::string properties =
        UserDataKey(r.sid) + "\\Products\\" + packed + "\\InstallProperties";
    if (!m_registry.KeyExists(properties)) return kErrorUnknownProperty;
    std::string name = attribute;
    if (name == "InstalledProductName") name = "DisplayName";
    if (name == "VersionString") name = "DisplayVersion";
    *value = Text(properties, name, &found, &type);
    return 0;
  }
  if (!IsOneOf(attribute, kRegisteredAttributes, std::size(kRegisteredAttributes))) {
    return kErrorUnknownProperty;
  }
  if (r.context == Context::kNone) return kErrorUnknownProduct;
  if (attribute == "PackageName") {
    const std::string sources = r.productKey + "\\SourceList";
    if (!m_registry.KeyExists(sources)) return kErrorUnknownProduct;
    *value = Text(sources, "PackageName", &found, &type);
    return 0;
  }
  const std::string name = attribute == "AssignmentType" ? "Assignment" : attribute;
  *value = Text(r.productKey, name, &found, &type);
  if (attribute == "PackageCode" && type == registry::kText) {
    std::string code;
    if (!UnpackGuid(*value, &code)) {
      value->clear();
      return kErrorBadConfiguration;
    }
    *value = code;
  }
  return 0;
}

int InstallerRegistration::FeatureState(const std::string& product, const std::string& feature) {
  std::string packed;
  if (!PackGuid(product, &packed)) return kStateInvalidArg;
  Registration r = Find(packed, "Features");
  if (r.context == Context::kNone) return kStateUnknown;
  registry::Value mark;
  if (!m_registry.GetValue(r.productKey, feature, &mark).ok()) return kStateUnknown;
  if (mark.IsText() && !mark.data.empty() && mark.data[0] == '\x06') return kStateAbsent;
  const std::string userData = UserDataKey(r.sid);
  const std::string features = userData + "\\Products\\" + packed + "\\Features";
  registry::Value list;
  if (!m_registry.GetValue(features, feature, &list).ok()) return kStateAdvertised;
  const std::string components = list.IsText() ? list.data : "";
  bool missing = false;
  bool source = false;
  // The list holds 20-character compressed component GUIDs, then '\2' and the parent feature.
  for (std::size_t pos = 0; pos < components.size() && components[pos] != '\x02'; pos += 20) {
    std::string component;
    std::string packedComponent;
    if (!DecodeCompressedGuid(std::string_view(components).substr(pos), &component)) {
      if (pos != 0) break;
      return kStateBadConfig;
    }
    PackGuid(component, &packedComponent);
    const std::string key = userData + "\\Components\\" + packedComponent;
    if (!m_registry.KeyExists(key)) return kStateAdvertised;
    registry::Value path;
    if (!m_registry.GetValue(key, packed, &path).ok()) {
      missing = true;
    } else if (path.data.size() > 2 && IsDigit(path.data[0]) && IsDigit(path.data[1])) {
      source = true;  // a key path in the source ("01:..."), as the installer judges it
    }
  }
  if (missing) return kStateAdvertised;
  return source ? kStateSource : kStateLocal;
}

std::vector<std::pair<std::string, int>> InstallerRegistration::FeatureStates(
    const std::string& feature, const FeatureIndex* index) {
  std::vector<std::pair<std::string, int>> states;
  if (index && !index->Knows(feature)) return states;
  for (const std::string& product : Products()) {
    std::string packed;
    if (index && PackGuid(product, &packed) && !index->Registers(packed, feature)) continue;
    const int state = FeatureState(product, feature);
    if (state != kStateUnknown) states.emplace_back(product, state);
  }
  return states;
}

FeatureIndex InstallerRegistration::ReadFeatureIndex() {
  FeatureIndex index;
  for (const std::string& root : ContextKeys("Features")) {
    for (const std::string& product : m_registry.SubkeyNames(root)) {
      for (const std::string& feature : m_registry.ValueNames(root + "\\" + product)) {
        index.Add(product, feature);
      }
    }
  }
  return index;
}

bool InstallerRegistration::FeaturesFromMachineOnly() {
  for (const std::string& key : ContextKeys("Features")) {
    if (StoreHolds(key)) return false;
  }
  return true;
}

bool InstallerRegistration::StoreHolds(const std::string& key) {
  const registry::KeyPath path = registry::ParseKeyPath(key);
  return m_registry.StoreOf(path.root).Current().KeyExists(path.path);
}

std::vector<std::string> InstallerRegistration::Products() {
  std::vector<std::string> products;
  std::set<std::string> seen;
  const std::string roots[] = {
      std::string(kMachineKey) + "\\Products", std::string(kUnmanagedKey) + "\\Products",
      std::string(kInstallerKey) + "\\Managed\\" + m_userSid + "\\Installer\\Products"};
  for (const std::string& root : roots) {
    for (const std::string& name : m_registry.SubkeyNames(root)) {
      std::string product;
      if (UnpackGuid(name, &product) && seen.insert(registry::FoldName(product)).second) {
        products.push_back(product);
      }
    }
  }
  return products;
}

uint32_t InstallerRegistration::ComponentClients(const std::string& component,
                                                 std::vector<std::string>* products) {
  products->clear();
  std::string packed;
  if (!PackGuid(component, &packed)) return kErrorUnknownComponent;
  bool registered = false;
  std::set<std::string> seen;
  for (const std::string& sid : {m_userSid, std::string(kMachineSid)}) {
    const std::string key = UserDataKey(sid) + "\\Components\\" + packed;
    for (const std::string& name : m_registry.ValueNames(key)) {
      registered = true;
      std::string product;
      if (name == kNoProduct || !UnpackGuid(name, &product)) continue;
      if (seen.insert(registry::FoldName(product)).second) products->push_back(product);
    }
  }
  return registered ? 0 : kErrorUnknownComponent;
}

std::vector<std::string> InstallerRegistration::Components() {
  std::vector<std::string> components;
  for (const std::string& sid : {m_userSid, std::string(kMachineSid)}) {
    std::vector<std::string> names = m_registry.SubkeyNames(UserDataKey(sid) + "\\Components");
    components.reserve(components.size() + names.size());
    for (const std::string& name : names) {
      std::string component;
      if (UnpackGuid(name, &component)) components.push_back(std::move(component));
    }
  }
  return components;
}

bool InstallerRegistration::ComponentsFromMachineOnly() {
  for (const std::string& sid : {m_userSid, std::string(kMachineSid)}) {
    if (StoreHolds(UserDataKey(sid) + "\\Components")) return false;
  }
  return true;
}

}  // namespace qv::msi
