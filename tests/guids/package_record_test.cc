#include "guids/package_record.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "guids/guid_fixture.h"
#include "msidb/database_open.h"

namespace qv {
namespace {

using namespace test::guid;

class PackageRecordTest : public test::GuidMachineTest {
 protected:
  std::string Read(const std::string& product, const std::string& keyColumn,
                   const std::string& keyValue, PackageRecordStatus* status,
                   const std::string& secondColumn = "", const std::string& secondValue = "",
                   int32_t fields = 6) {
    return GetPackageRecord("Component", fields, product, keyColumn, keyValue, secondColumn,
                            secondValue, status);
  }
  std::string CachedPackage() const { return m_machine.DriveC() + "/Windows/Installer/inst.msi"; }
};

TEST_F(PackageRecordTest, RowsOfTheCachedPackage) {
  struct Case {
    std::string keyColumn, keyValue, secondColumn, secondValue;
    int32_t fields;
    std::string record;
    PackageRecordStatus status;
  };
  const Case cases[] = {
      {"ComponentId", kComponent, "", "", 6,
       "|0=|1=MainExe|2=" + kComponent + "|3=BinDir|4=0|5=", PackageRecordStatus::kFound},
      {"Directory_", "INSTALLDIR", "Component", "EmptyKey", 2, "|0=|1=EmptyKey",
       PackageRecordStatus::kFound},
      {"Directory_", "BinDir", "Component", "EmptyKey", 2, "", PackageRecordStatus::kNoRow},
      {"ComponentId", kUnknown, "", "", 6, "", PackageRecordStatus::kNoRow},
  };
  for (const Case& c : cases) {
    PackageRecordStatus status = PackageRecordStatus::kNoPackage;
    EXPECT_EQ(
        Read(kInstalled, c.keyColumn, c.keyValue, &status, c.secondColumn, c.secondValue, c.fields),
        c.record)
        << c.keyColumn << " " << c.keyValue;
    EXPECT_EQ(status, c.status) << c.keyColumn << " " << c.keyValue;
    // The package was open for the one query only.
    EXPECT_FALSE(OpenDb().oDatabase);
  }
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(PackageRecordTest, ProductsWithoutAPackage) {
  PackageRecordStatus status = PackageRecordStatus::kFound;
  for (const std::string& product : {kAdvertised, kAbsent, kUnknown, std::string("garbage")}) {
    EXPECT_EQ(Read(product, "ComponentId", kComponent, &status), "") << product;
    EXPECT_EQ(status, PackageRecordStatus::kNoPackage) << product;
  }
  std::filesystem::remove(CachedPackage());
  EXPECT_EQ(Read(kInstalled, "ComponentId", kComponent, &status), "");
  EXPECT_EQ(status, PackageRecordStatus::kNoPackage);
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(PackageRecordTest, ACachedPackageThatDoesNotOpenIsShown) {
  m_dir.Write("broken.msi", "not a package");
  std::filesystem::copy_file(m_dir.Sub("broken.msi"), CachedPackage(),
                             std::filesystem::copy_options::overwrite_existing);
  PackageRecordStatus status = PackageRecordStatus::kFound;
  EXPECT_EQ(Read(kInstalled, "ComponentId", kComponent, &status), "");
  EXPECT_EQ(status, PackageRecordStatus::kNoPackage);
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
  PackageRecordStatus status = PackageRecordStatus::kNoPackage;
  // The advertised product has no package of its own: the open database answers.
  EXPECT_EQ(Read(kAdvertised, "ComponentId", kComponent, &status, "", "", 2), "|0=|1=MainExe");
  EXPECT_EQ(status, PackageRecordStatus::kFound);
  EXPECT_EQ(OpenDb().oDatabase, open);
  EXPECT_EQ(OpenDb().szCurrentMsi, other);
  CloseVoDatabase();
}

}  // namespace
}  // namespace qv
