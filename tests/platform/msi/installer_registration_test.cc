// The registration queries on a Wine prefix whose registry Wine's installer wrote (see
// tests/data/registry/wine_installer/readme.txt); every expectation is the answer Wine's
// msi.dll gave for the same registry, unless a comment says why ours differs.

#include "platform/msi/installer_registration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/pending_error.h"
#include "platform/machine/machine_profiles.h"
#include "platform/machine/machine_registry.h"
#include "platform/msi/engine_installer.h"
#include "platform/msi/feature_index.h"
#include "platform/msi/msi_functions.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::msi {
namespace {

const std::string kA = "{A1111111-1111-1111-1111-111111111111}";  // per-machine, installed
const std::string kB = "{B1111111-1111-1111-1111-111111111111}";  // per-user, installed

// The products {AD000000-...-0000000000NN} and components {CD000000-...} the export added.
std::string Product(int n, char kind = 'A') {
  char text[40];
  std::snprintf(text, sizeof text, "{%cD000000-0000-0000-0000-0000000000%02d}", kind, n);
  return text;
}

std::string Component(int n) {
  return Product(n, 'C');
}

class InstallerRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string data = std::string(QV_TEST_DATA_DIR) + "/registry/wine_installer/";
    const std::string prefix =
        test::WriteWinePrefix(m_home.dir(), "prefix", test::ReadFile(data + "system.reg"),
                              test::ReadFile(data + "user.reg"));
    Status status;
    m_machine = LoadWinePrefix(prefix, {m_home.DataHome(), m_home.ConfigHome(), "root"}, &status);
    ASSERT_TRUE(m_machine) << status.ToString();
    SetCurrentMachine(m_machine);
    ClearPendingError();
  }
  void TearDown() override {
    ClearPendingError();
    SetCurrentMachine(nullptr);
  }
  InstallerRegistration Registration() {
    return InstallerRegistration(CurrentRegistry(), m_machine->userSid);
  }

  test::IsolatedHome m_home;
  std::shared_ptr<Machine> m_machine;
  std::shared_ptr<Installer> m_installer = MakeEngineInstaller();
};

TEST_F(InstallerRegistrationTest, ProductStatesAreWines) {
  const std::pair<std::string, int> cases[] = {
      {kA, 5},          {"{a1111111-1111-1111-1111-111111111111}", 5},
      {kB, 5},          {"{D1111111-1111-1111-1111-111111111111}", -1},  // never registered
      {Product(1), 1},   // product key, no InstallProperties
      {Product(2), -1},  // WindowsInstaller 0
      {Product(3), 1},   // InstallProperties without WindowsInstaller
      {Product(4), 2},   // the user's InstallProperties, no product key
      {Product(5), -1},  // the machine's InstallProperties, no product key
      {Product(6), 5},   // the user's managed install
      {Product(8), 5},   // registered for the user and for the machine
      {Product(21), 1},  // its key in lower case
      {Product(22), 1},  // the machine's product key, the user's InstallProperties
      {Product(23), 1},  // WindowsInstaller as a string
      {Product(24), 5},  // WindowsInstaller 2
      {"garbage", -2},  {"{AD00000G-0000-0000-0000-000000000001}", -1},
  };
  for (const auto& [product, state] : cases) {
    EXPECT_EQ(m_installer->ProductState(product), state) << product;
  }
  EXPECT_FALSE(ErrorPending());
}

TEST_F(InstallerRegistrationTest, ProductInfoIsWines) {
  struct Case {
    std::string product;
    std::string attribute;
    uint32_t result;
    std::string value;
  };
  const Case cases[] = {
      {kA, "InstalledProductName", 0, "Machine Product"},
      {kA, "VersionString", 0, "1.2.3"},
      {kA, "LocalPackage", 0, "C:\\windows\\Installer\\5fb8.msi"},
      {kA, "Publisher", 0, "Quorvex Tests"},
      {kA, "HelpLink", 0, ""},
      {kA, "PackageCode", 0, "{E8B55E6D-C25D-4A67-90D1-F3A1E328F8D8}"},
      {kA, "Language", 0, "1033"},
      {kA, "Transforms", 0, ""},
      {kA, "AssignmentType", 0, "0"},
      {kA, "PackageName", 0, "machine.msi"},
      {kA, "ProductVersion", 1608, ""},  // not an attribute
      {kA, "versionstring", 1608, ""},   // names compare exactly
      {kB, "InstalledProductName", 0, "User Product"},
      // Advertised: the installed product's attributes are unknown.
      {Product(1), "InstalledProductName", 1608, ""},
      {Product(1), "ProductName", 0, "Scenario 1"},
      {Product(1), "PackageCode", 0, "{EEEEEEEE-0000-0000-0000-000000000001}"},
      {Product(1), "PackageName", 1605, ""},  // no SourceList key
      {Product(6), "ProductName", 0, "Managed 6"},
      {Product(7), "PackageCode", 1610, ""},  // "NOTPACKED"
      {Product(7), "VersionString", 0, "5"},  // a DWORD
      {Product(8), "InstalledProductName", 0, "User Installed 8"},
      {Product(8), "ProductName", 0, "User 8"},
      {Product(9), "InstallLocation", 0, ""},  // REG_EXPAND_SZ
      {Product(9), "Publisher", 0, ""},        // binary
      {Product(10), "PackageCode", 0, "5"},    // a DWORD
      {Product(20), "ProductName", 1605, ""},
      {Product(20), "InstalledProductName", 1605, ""},
      {"garbage", "ProductName", 87, ""},
  };
  InstallerRegistration registration = Registration();
  for (const Case& c : cases) {
    std::string value = "left over";
    EXPECT_EQ(registration.ProductInfo(c.product, c.attribute, &value), c.result)
        << c.product << " " << c.attribute;
    EXPECT_EQ(value, c.value) << c.product << " " << c.attribute;
  }
}

TEST_F(InstallerRegistrationTest, ProductInfoFailureIsThePendingError) {
  EXPECT_EQ(m_installer->ProductInfo(kA, "VersionString"), "1.2.3");
  EXPECT_FALSE(ErrorPending());
  EXPECT_EQ(m_installer->ProductInfo(Product(1), "ProductVersion"), "");
  EXPECT_EQ(PendingError().number, kAutomationFailure);
  EXPECT_EQ(PendingError().source, "Msi API Error");
  EXPECT_EQ(PendingError().description, "ProductInfo,Product,Attribute");
}

TEST_F(InstallerRegistrationTest, FeatureStatesAreWines) {
  struct Case {
    std::string product;
    std::string feature;
    int state;
  };
  const Case cases[] = {
      // A's Main holds a registry key path ("02:\..."), which Wine counts as run from source.
      {kA, "Main", 4},
      {kA, "main", 4},
      {kA, "Child", 3},
      {kA, "Off", -1},  // level 0: never registered
      {kB, "Main", 3},
      {"{D1111111-1111-1111-1111-111111111111}", "Main", -1},
      {Product(1), "F1", 1},    // no user data: advertised
      {Product(1), "Gone", 2},  // "\6": absent
      {Product(9), "Local", 3},
      {Product(9), "Missing", 1},  // a component without this product as client
      {Product(9), "Src", 4},      // a component path "01:..."
      {Product(9), "Bad", -6},     // not a compressed GUID
      {Product(9), "NoList", 1},   // not in the user data
      {Product(9), "Empty", 3},    // no components
      {Product(9), "Mixed", 4},
      {Product(9), "Reg", 3},       // an empty path
      {Product(9), "TwoDigit", 3},  // "12": too short to be a source path
      {"garbage", "Main", -2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(m_installer->FeatureState(c.product, c.feature), c.state)
        << c.product << " " << c.feature;
  }
}

TEST_F(InstallerRegistrationTest, ComponentClientsInRegistrationOrder) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"{C1111111-1111-1111-1111-111111111111}", {kA}},
      {"{C3333333-3333-3333-3333-333333333333}", {kA}},
      {"{C4444444-4444-4444-4444-444444444444}", {kB}},
      // Wine's MsiEnumClients stops at the user's registration ({B} alone); the installer
      // counts the machine's clients too, after the user's.
      {"{C5555555-5555-5555-5555-555555555555}", {kB, kA}},
      {"{c5555555-5555-5555-5555-555555555555}", {kB, kA}},
      {Component(1), {Product(9)}},
      {Component(2), {Product(1)}},
      // Wine also lists {00000000-0000-0000-0000-000000000000}, which names no product.
      {Component(10), {Product(8), Product(20), Product(1), Product(9)}},
      {Component(13), {Product(9)}},
      {Component(14), {Product(9)}},  // its key in lower case
      {Component(16), {Product(30), Product(1), Product(9)}},
  };
  for (const auto& [component, clients] : cases) {
    EXPECT_EQ(m_installer->ComponentClients(component), clients) << component;
    EXPECT_FALSE(ErrorPending()) << component;
  }
  for (const std::string& unknown :
       {std::string("{C9999999-1111-1111-1111-111111111111}"), Component(11) /* no values */,
        Component(15) /* another user's */, std::string("garbage")}) {
    std::vector<std::string> clients;
    EXPECT_EQ(Registration().ComponentClients(unknown, &clients), 1607u) << unknown;
    EXPECT_EQ(m_installer->ComponentClients(unknown), std::vector<std::string>{}) << unknown;
    EXPECT_EQ(PendingError().description, "ComponentClients,Component");
    ClearPendingError();
  }
}

TEST_F(InstallerRegistrationTest, ProductsInTheInstallersOrder) {
  // The machine's, the user's unmanaged, the user's managed, each in key order. Wine lists
  // {AD..08} twice (machine and user) and the key "Garbage" as "??": each product comes once.
  const std::vector<std::string> expected = {
      Product(10), Product(1),  "{ad000000-0000-0000-0000-000000000021}",
      Product(2),  Product(22), Product(3),
      Product(23), Product(24), Product(7),
      Product(8),  Product(9),  kA,
      kB,          Product(6)};
  EXPECT_EQ(m_installer->Products(), expected);
}

TEST_F(InstallerRegistrationTest, ComponentsEnumerateTheUsersThenTheMachines) {
  // As Wine enumerates them, without its "??" for the key "NOTAGUID"; another user's
  // ({CD..15} under S-1-5-99) are not enumerated.
  const std::vector<std::string> expected = {Component(10),
                                             "{C4444444-4444-4444-4444-444444444444}",
                                             "{C5555555-5555-5555-5555-555555555555}",
                                             Component(10),
                                             Component(1),
                                             Component(11),
                                             Component(2),
                                             Component(3),
                                             Component(13),
                                             Component(4),
                                             "{cd000000-0000-0000-0000-000000000014}",
                                             Component(5),
                                             Component(16),
                                             "{C1111111-1111-1111-1111-111111111111}",
                                             "{C2222222-2222-2222-2222-222222222222}",
                                             "{C3333333-3333-3333-3333-333333333333}",
                                             "{C5555555-5555-5555-5555-555555555555}"};
  std::vector<std::string> got;
  std::string component;
  for (uint32_t i = 0; MsiEnumComponentsA(i, &component) == kErrorSuccess; ++i) {
    got.push_back(component);
  }
  EXPECT_EQ(got, expected);
  // Calls go 0, 1, 2, ...; skipping is refused, starting over is not.
  EXPECT_EQ(MsiEnumComponentsA(0, &component), kErrorSuccess);
  EXPECT_EQ(MsiEnumComponentsA(5, &component), kErrorInvalidParameter);
  EXPECT_EQ(MsiEnumComponentsA(1, &component), kErrorSuccess);
  EXPECT_EQ(component, expected[1]);
  EXPECT_EQ(MsiEnumComponentsA(3, &component), kErrorInvalidParameter);
}

TEST_F(InstallerRegistrationTest, EnumerationSeesComponentsTheStoreHolds) {
  std::string component;
  ASSERT_EQ(MsiEnumComponentsA(0, &component), kErrorSuccess);
  ASSERT_TRUE(CurrentRegistry()
                  .SetValue("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\"
                            "UserData\\S-1-5-18\\Components\\0000000000000000000000000000000F",
                            "1111111A111111111111111111111111", registry::Value::Text("C:\\x"))
                  .ok());
  std::vector<std::string> got;
  for (uint32_t i = 0; MsiEnumComponentsA(i, &component) == kErrorSuccess; ++i) {
    got.push_back(component);
  }
  EXPECT_EQ(got.size(), 18u);
  EXPECT_EQ(got[3], "{00000000-0000-0000-0000-0000000000F0}");
}

TEST_F(InstallerRegistrationTest, FeatureStatesAskOnlyTheProductsThatKnowAFeature) {
  // What every product answers, asked one by one.
  const auto askEach = [&](const std::string& feature) {
    std::vector<std::pair<std::string, int>> states;
    for (const std::string& product : m_installer->Products()) {
      const int state = m_installer->FeatureState(product, feature);
      if (state != kStateUnknown) states.emplace_back(product, state);
    }
    return states;
  };
  ASSERT_NE(CurrentFeatureIndex(), nullptr);
  size_t known = 0;
  for (const char* feature : {"Main", "mAIN", "Child", "Off", "F1", "Gone", "Bad", "Mixed", "Reg",
                              "Nope", "{C5555555-5555-5555-5555-555555555555}"}) {
    const auto expected = askEach(feature);
    EXPECT_EQ(m_installer->FeatureStates(feature), expected) << feature;
    known += expected.size();
  }
  EXPECT_GE(known, 9u);  // the features above are registered, most of them once or twice

  // A feature registered in the program's own store is seen at once, index or not.
  ASSERT_TRUE(CurrentRegistry()
                  .SetValue("HKCU\\Software\\Microsoft\\Installer\\Features\\"
                            "1111111A111111111111111111111111",
                            "Late", registry::Value::Text(""))
                  .ok());
  EXPECT_EQ(CurrentFeatureIndex(), nullptr);
  const std::vector<std::pair<std::string, int>> late = {{kA, kStateAdvertised}};
  EXPECT_EQ(m_installer->FeatureStates("Late"), late);
  EXPECT_EQ(askEach("Late"), late);
}

}  // namespace
}  // namespace qv::msi
