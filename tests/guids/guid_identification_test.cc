#include "guids/guid_identification.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "guids/guid_fixture.h"
#include "platform/base/pending_error.h"
#include "services/data_rows.h"

namespace qv {
namespace {

using namespace test::guid;

std::string Identify(const std::string& guid) {
  std::string description = "left over";
  IdentifyGUID(guid, &description);
  return description;
}

class GuidIdentificationTest : public test::GuidMachineTest {
 protected:
  void TearDown() override {
    // Every identification puts the pointer back and leaves nothing open or pending.
    EXPECT_EQ(m_ui->busyDepth, 0);
    EXPECT_FALSE(OpenDb().oDatabase);
    EXPECT_FALSE(ErrorPending());
    test::GuidMachineTest::TearDown();
  }
};

TEST_F(GuidIdentificationTest, ProductsComponentsFeaturesAndComClasses) {
  for (const test::DataRow& row : test::DataRows("guids/identify.tsv")) {
    EXPECT_EQ(Identify(row[0]), row[1]) << row[0];
  }
  EXPECT_EQ(m_ui->busyMaxDepth, 1);
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(GuidIdentificationTest, AComponentWhosePackageIsGoneHasNoName) {
  std::filesystem::remove(m_machine.DriveC() + "/Windows/Installer/inst.msi");
  const std::string description = Identify(kComponent);
  EXPECT_NE(description.find("\rComponent Name \rComponent  Name Advertised App"),
            std::string::npos)
      << description;
}

}  // namespace
}  // namespace qv
