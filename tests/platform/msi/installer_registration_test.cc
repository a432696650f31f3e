// The registration queries on a Wine prefix whose registry Wine's installer wrote (see
// tests/data/registry/wine_installer/readme.txt), answered as Wine's msi.dll answered
// (answers.txt there).

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
#include "support/data_rows.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::msi {
namespace {

const std::string kA = "{A1111111-1111-1111-1111-111111111111}";  // per-machine, installed

// The rows of Wine's answers to one kind of query, without the kind.
std::vector<test::DataRow> Answers(const std::string& kind) {
  return test::DataRows("registry/wine_installer/answers.txt", kind);
}

class InstallerRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string prefix = test::WriteWinePrefix(
        m_home.dir(), "prefix", test::DataFile("registry/wine_installer/system.reg"),
        test::DataFile("registry/wine_installer/user.reg"));
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
  // Every component MsiEnumComponentsA gives, in its order.
  static std::vector<std::string> Components() {
    std::vector<std::string> got;
    std::string component;
    for (uint32_t i = 0; MsiEnumComponentsA(i, &component) == kErrorSuccess; ++i) {
      got.push_back(component);
    }
    return got;
  }

  test::IsolatedHome m_home;
  std::shared_ptr<Machine> m_machine;
  std::shared_ptr<Installer> m_installer = MakeEngineInstaller();
};

// Product and feature states, product information, component clients and the enumeration of
// products and components, as Wine answered.
TEST_F(InstallerRegistrationTest, AnswersAndEnumeratesAsWineDid) {
  for (const test::DataRow& row : Answers("ProductState")) {
    EXPECT_EQ(m_installer->ProductState(row[0]), std::stoi(row[1])) << row[0];
  }
  EXPECT_FALSE(ErrorPending());
  InstallerRegistration registration(CurrentRegistry(), m_machine->userSid);
  for (const test::DataRow& row : Answers("ProductInfo")) {
    std::string value = "left over";
    EXPECT_EQ(registration.ProductInfo(row[0], row[1], &value), std::stoul(row[2]))
        << row[0] << " " << row[1];
    EXPECT_EQ(value, row[3]) << row[0] << " " << row[1];
  }
  for (const test::DataRow& row : Answers("FeatureState")) {
    EXPECT_EQ(m_installer->FeatureState(row[0], row[1]), std::stoi(row[2]))
        << row[0] << " " << row[1];
  }
  for (const test::DataRow& row : Answers("ComponentClients")) {
    const std::vector<std::string> clients(row.begin() + 1, row.end());
    EXPECT_EQ(m_installer->ComponentClients(row[0]), clients) << row[0];
    if (!clients.empty()) {
      EXPECT_FALSE(ErrorPending()) << row[0];
      continue;
    }
    std::vector<std::string> none;
    EXPECT_EQ(registration.ComponentClients(row[0], &none), 1607u) << row[0];
    EXPECT_EQ(PendingError().description, "ComponentClients,Component");
    ClearPendingError();
  }
  // A product information failure is the pending error.
  EXPECT_EQ(m_installer->ProductInfo(kA, "VersionString"), "1.2.3");
  EXPECT_FALSE(ErrorPending());
  EXPECT_EQ(m_installer->ProductInfo("{AD000000-0000-0000-0000-000000000001}", "ProductVersion"),
            "");
  EXPECT_EQ(PendingError().number, kAutomationFailure);
  EXPECT_EQ(PendingError().source, "Msi API Error");
  EXPECT_EQ(PendingError().description, "ProductInfo,Product,Attribute");
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
  const std::vector<std::pair<std::string, int>> late = {{kA, kStateAdvertised}};
  EXPECT_EQ(m_installer->FeatureStates("Late"), late);
  EXPECT_EQ(askEach("Late"), late);
  // Products and components enumerate in Wine's order, components the store holds included.
  EXPECT_EQ(m_installer->Products(), Answers("Products").at(0));
  const std::vector<std::string> expected = Answers("Components").at(0);
  EXPECT_EQ(Components(), expected);
  // Calls go 0, 1, 2, ...; skipping is refused, starting over is not.
  std::string component;
  EXPECT_EQ(MsiEnumComponentsA(0, &component), kErrorSuccess);
  EXPECT_EQ(MsiEnumComponentsA(5, &component), kErrorInvalidParameter);
  EXPECT_EQ(MsiEnumComponentsA(1, &component), kErrorSuccess);
  EXPECT_EQ(component, expected[1]);
  ASSERT_TRUE(CurrentRegistry()
                  .SetValue("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\"
                            "UserData\\S-1-5-18\\Components\\0000000000000000000000000000000F",
                            "1111111A111111111111111111111111", registry::Value::Text("C:\\x"))
                  .ok());
  const std::vector<std::string> got = Components();
  EXPECT_EQ(got.size(), 18u);
  EXPECT_EQ(got[3], "{00000000-0000-0000-0000-0000000000F0}");
}

}  // namespace
}  // namespace qv::msi
