#include "guids/guid_identification.h"

#include <memory>
#include <vector>

#include "guids/package_record.h"
#include "guids/product_info.h"
#include "platform/base/ascii_case.h"
#include "platform/base/nul_text.h"
#include "platform/base/pending_error.h"
#include "platform/msi/installer_registration.h"
#include "platform/msi/msi_functions.h"
#include "platform/ui/ui.h"
#include "records/record_text.h"
#include "services/registry_functions.h"
#include "state/program_state.h"

namespace qv {
namespace {

constexpr char kCR = '\r';
constexpr char kQuote = '"';
// The registry reads answer in a buffer of 1001 characters, 1000 of them for the value.
constexpr int32_t kValueRoom = 1000;
constexpr int32_t kRegistryText = 1;
// The component row's fields up to its name and beyond: Component, ComponentId, Directory_,
// Attributes, Condition, after the template field 0.
constexpr int32_t kComponentFields = 6;

// The server subkeys of a COM class, in the order they are shown.
constexpr const char* kClassSubkeys[] = {"ProgID",        "InprocServer32", "InprocServer",
                                         "LocalServer32", "LocalServer",    "Version"};

// The installer's answers, with a missing installer object answering "unknown".
int ProductState(msi::Installer* installer, const std::string& product) {
  return installer ? installer->ProductState(product) : msi::kStateUnknown;
}

bool IsInstalled(int state) {
  return state >= msi::kStateLocal;
}

// True when the component is registered on this machine, as the enumeration of every
// component finds it (letter case aside).
bool IsRegisteredComponent(const std::string& guid) {
  std::string component;
  for (uint32_t index = 0; msi::MsiEnumComponentsA(index, &component) == msi::kErrorSuccess;
       ++index) {
    if (EqualsNoCase(CutAtNul(component), guid)) return true;
  }
  return false;
}

// The component's name in the product's cached package; "" when it cannot be read. Packages
// keep their component GUIDs in upper case (the installer's GUID columns require it), so a
// GUID typed in lower case is looked up in upper case.
std::string ComponentName(const std::string& product, const std::string& component) {
  PackageRecordStatus status;
  const std::string row = GetPackageRecord("Component", kComponentFields, product, "ComponentId",
                                           AsciiUpper(component), "", "", &status);
  return GetFld(row, "|1=");
}

// The client's line; only an advertised or installed client names the component, and only an
// installed one has a cached package to read the name from.
std::string ClientLine(msi::Installer* installer, const std::string& product,
                       const std::string& component) {
  const int state = ProductState(installer, product);
  if (state == msi::kStateAdvertised) {
    return std::string(1, kCR) + "Component " + ComponentName(product, component) + " Name " +
           GetProductInfoValue(product, "ProductName") + " Version " +
           GetProductInfoValue(product, "Version");
  }
  if (state > msi::kStateAbsent) {
    return std::string(1, kCR) + "Name " + GetProductInfoValue(product, "InstalledProductName") +
           " - " + "Version " + GetProductInfoValue(product, "VersionString") + kCR +
           "Component Name " + ComponentName(product, component);
  }
  return std::string(1, kCR) + "Product with GUID " + product +
         " which is not installed or advertised";
}

std::string DescribeComponent(msi::Installer* installer, const std::string& guid) {
  std::string text = std::string("Component - GUID") + kCR + " Installed by the Following Products";
  std::vector<std::string> clients;
  if (installer) {
    const PendingErrorInfo before = PendingError();
    clients = installer->ComponentClients(guid);
    PendingError() = before;
  }
  for (const std::string& product : clients) text += ClientLine(installer, product, guid);
  return text;
}

std::string DescribeFeature(msi::Installer* installer, const std::string& guid) {
  std::string text;
  if (!installer) return text;
  for (const auto& [product, state] : installer->FeatureStates(guid)) {
    if (state == msi::kStateAdvertised || state >= msi::kStateLocal) {
      text += std::string(1, kCR) + "Product Name " + GetProductInfoValue(product, "ProductName") +
              " Version " + GetProductInfoValue(product, "ProductVersion") + " Feature ";
    }
  }
  return text;
}

// Reads a key's default value as the utility library hands it out: the count it returns.
int32_t DefaultValue(const std::string& key, std::string* value, int32_t* type) {
  std::string buffer;
  *type = 0;
  const int32_t count = GetREGData(key, "", &buffer, kValueRoom, type);
  *value = std::string(CutAtNul(buffer));
  return count;
}

std::string DescribeClass(const std::string& guid) {
  const std::string key = "\\HKCR\\CLSID\\" + guid;
  std::string value;
  int32_t type = 0;
  DefaultValue(key, &value, &type);
  if (type != kRegistryText) return "";
  std::string text = std::string("Defined on PC as") + kCR + kQuote +
                     "Registry HKEY_CLASSES_ROOT\\CLSID\\" + guid + kCR + kQuote + ".Default" +
                     kQuote + " = " + value;
  for (const char* subkey : kClassSubkeys) {
    if (DefaultValue(key + "\\" + subkey, &value, &type) > 0) {
      text += std::string(1, kCR) + kQuote + subkey + kQuote + "  = " + value;
    }
  }
  return text;
}

}  // namespace

void IdentifyGUID(const std::string& guid, std::string* description) {
  ui::BusyScope busy;
  msi::Installer* installer = Program().InstallerObject.get();
  std::string text;
  const int state = ProductState(installer, guid);
  if (state == msi::kStateAdvertised) {
    text = "Advertised Product - Name " + GetProductInfoValue(guid, "ProductName") + kCR +
           " Version " + GetProductInfoValue(guid, "ProductVersion");
  } else if (IsInstalled(state)) {
    text = std::string("Installed Product") + " - Name " +
           GetProductInfoValue(guid, "ProductName") + kCR + " Version " +
           GetProductInfoValue(guid, "VersionString");
  } else if (IsRegisteredComponent(guid)) {
    text = DescribeComponent(installer, guid);
  } else {
    text = DescribeFeature(installer, guid);
  }
  if (text.empty()) text = DescribeClass(guid);
  *description = std::move(text);
}

}  // namespace qv
