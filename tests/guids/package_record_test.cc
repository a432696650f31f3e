#include "guids/package_record.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "guids/guid_fixture.h"
#include "msidb/database_open.h"
#include "services/data_rows.h"

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
  for (const test::DataRow& row : test::DataRows("guids/package_record.tsv")) {
    SCOPED_TRACE(row[0] + " " + row[3]);
    RecordStatus status = RecordStatus::kNoPackage;
    EXPECT_EQ(Read(row[0], &status, test::Int(row[1]), row[2], row[3], row[4]), row[5]);
    EXPECT_EQ(status, static_cast<RecordStatus>(test::Int(row[6])));
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
