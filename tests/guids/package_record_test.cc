#include "guids/package_record.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "guids/guid_fixture.h"

namespace qv {
namespace {

using namespace test::guid;
using RecordStatus = PackageRecordStatus;

class PackageRecordTest : public test::GuidMachineTest {
 protected:
  std::string Read(const std::string& product, RecordStatus* status, int32_t fields = 6,
                   const std::string& keyColumn = "ComponentId",
                   const std::string& keyValue = kComponent, const std::string& second = "") {
    return GetPackageRecord("Component", fields, product, keyColumn, keyValue,
                            second.empty() ? "" : "Component", second, status);
  }
  std::string CachedPackage() const { return m_machine.DriveC() + "/Windows/Installer/inst.msi"; }
};

TEST_F(PackageRecordTest, RowsOfTheInstalledProductsCachedPackage) {
  struct Case {
    std::string product;
    int32_t fields;
    std::string keyColumn, keyValue, second;
    std::string record;
    RecordStatus status;
  };
  const Case cases[] = {
      {kInstalled, 6, "ComponentId", kComponent, "",
       "|0=|1=MainExe|2=" + kComponent + "|3=BinDir|4=0|5=", RecordStatus::kFound},
      {kInstalled, 2, "Directory_", "INSTALLDIR", "EmptyKey", "|0=|1=EmptyKey",
       RecordStatus::kFound},
      {kInstalled, 2, "Directory_", "BinDir", "EmptyKey", "", RecordStatus::kNoRow},
      // Only an installed product has a package.
      {kAdvertised, 6, "ComponentId", kComponent, "", "", RecordStatus::kNoPackage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product + " " + c.keyValue);
    RecordStatus status = RecordStatus::kNoPackage;
    EXPECT_EQ(Read(c.product, &status, c.fields, c.keyColumn, c.keyValue, c.second), c.record);
    EXPECT_EQ(status, c.status);
    EXPECT_FALSE(OpenDb().oDatabase);  // open for the one query only
  }
  EXPECT_TRUE(m_ui->messages.empty());
  // A missing cached package gives nothing silently; one that does not open is shown.
  std::filesystem::remove(CachedPackage());
  RecordStatus status = RecordStatus::kFound;
  EXPECT_EQ(Read(kInstalled, &status), "");
  EXPECT_EQ(status, RecordStatus::kNoPackage);
  EXPECT_TRUE(m_ui->messages.empty());
  std::filesystem::copy_file(m_dir.Write("broken.msi", "not a package"), CachedPackage());
  status = RecordStatus::kFound;
  EXPECT_EQ(Read(kInstalled, &status), "");
  EXPECT_EQ(status, RecordStatus::kNoPackage);
  EXPECT_FALSE(OpenDb().oDatabase);
  ASSERT_FALSE(m_ui->messages.empty());
  EXPECT_EQ(m_ui->messages.back().title, "ERROR - Not a Msi File");
  EXPECT_EQ(m_ui->messages.back().text,
            "\"" + kLocalPackage + "\"\rCannot be opened as a Msi File");
}

}  // namespace
}  // namespace qv
