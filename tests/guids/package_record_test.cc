#include "guids/package_record.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "guids/guid_fixture.h"
#include "msidb/database_open.h"

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
      {kInstalled, 6, "ComponentId", kUnknown, "", "", RecordStatus::kNoRow},
      // Only an installed product has a package.
      {kAdvertised, 6, "ComponentId", kComponent, "", "", RecordStatus::kNoPackage},
      {"garbage", 6, "ComponentId", kComponent, "", "", RecordStatus::kNoPackage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product + " " + c.keyValue);
    RecordStatus status = RecordStatus::kNoPackage;
    EXPECT_EQ(Read(c.product, &status, c.fields, c.keyColumn, c.keyValue, c.second), c.record);
    EXPECT_EQ(status, c.status);
    EXPECT_FALSE(OpenDb().oDatabase);  // open for the one query only
  }
  EXPECT_TRUE(m_ui->messages.empty());
  std::filesystem::remove(CachedPackage());
  RecordStatus status = RecordStatus::kFound;
  EXPECT_EQ(Read(kInstalled, &status), "");
  EXPECT_EQ(status, RecordStatus::kNoPackage);
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(PackageRecordTest, ACachedPackageThatDoesNotOpenIsShown) {
  std::filesystem::copy_file(m_dir.Write("broken.msi", "not a package"), CachedPackage(),
                             std::filesystem::copy_options::overwrite_existing);
  RecordStatus status = RecordStatus::kFound;
  EXPECT_EQ(Read(kInstalled, &status), "");
  EXPECT_EQ(status, RecordStatus::kNoPackage);
  EXPECT_FALSE(OpenDb().oDatabase);
  ASSERT_FALSE(m_ui->messages.empty());
  EXPECT_EQ(m_ui->messages.back().title, "ERROR - Not a Msi File");
  EXPECT_EQ(m_ui->messages.back().text,
            "\"" + kLocalPackage + "\"\rCannot be opened as a Msi File");
}

TEST_F(PackageRecordTest, AnOpenDatabaseIsAskedAndStaysOpen) {
  const std::string other = test::BuildFixture(m_dir, "basic");
  ASSERT_EQ(OpenMsiDb(other, OpenDb().oDatabase, {.bStandardMsi = true}), "");
  const std::shared_ptr<msi::Database> open = OpenDb().oDatabase;
  RecordStatus status = RecordStatus::kNoPackage;
  // The advertised product has no package of its own: the open database answers.
  EXPECT_EQ(Read(kAdvertised, &status, 2), "|0=|1=MainExe");
  EXPECT_EQ(status, RecordStatus::kFound);
  EXPECT_EQ(OpenDb().oDatabase, open);
  EXPECT_EQ(OpenDb().szCurrentMsi, other);
  CloseVoDatabase();
}

}  // namespace
}  // namespace qv
