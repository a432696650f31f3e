#include "guids/package_record.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "guids/guid_machine.h"

namespace qv {
namespace {

using namespace test::guid;
using RecordStatus = PackageRecordStatus;
using PackageRecordTest = test::GuidMachineTest;

TEST_F(PackageRecordTest, RowsOfTheInstalledProductsCachedPackage) {
  const struct {
    std::string product;
    int32_t fields;
    std::string keyColumn, keyValue, second;
    std::string record;
    RecordStatus status;
  } cases[] = {
      {kInstalled, 6, "ComponentId", kComponent, "",
       "|0=|1=MainExe|2=" + kComponent + "|3=BinDir|4=0|5=", RecordStatus::kFound},
      {kInstalled, 2, "Directory_", "INSTALLDIR", "EmptyKey", "|0=|1=EmptyKey",
       RecordStatus::kFound},
      {kInstalled, 2, "Directory_", "BinDir", "EmptyKey", "", RecordStatus::kNoRow},
      // Only an installed product has a package.
      {kAdvertised, 6, "ComponentId", kComponent, "", "", RecordStatus::kNoPackage},
  };
  const std::string cached = m_machine.DriveC() + "/Windows/Installer/inst.msi";
  // Then a missing cached package gives nothing silently; one that does not open is shown.
  for (const std::string package : {"as laid", "missing", "broken"}) {
    SCOPED_TRACE(package);
    if (package != "as laid") std::filesystem::remove(cached);
    if (package == "broken") {
      std::filesystem::copy_file(m_dir.Write("broken.msi", "not a package"), cached);
    }
    for (const auto& c : cases) {
      SCOPED_TRACE(c.product + " " + c.keyValue);
      const bool found = package == "as laid";
      RecordStatus status = RecordStatus::kFound;
      EXPECT_EQ(GetPackageRecord("Component", c.fields, c.product, c.keyColumn, c.keyValue,
                                 c.second.empty() ? "" : "Component", c.second, &status),
                found ? c.record : "");
      EXPECT_EQ(status, found ? c.status : RecordStatus::kNoPackage);
      EXPECT_FALSE(OpenDb().oDatabase);  // open for the one query only
    }
    EXPECT_EQ(m_ui->messages.empty(), package != "broken");
  }
  EXPECT_EQ(m_ui->messages.back().title, "ERROR - Not a Msi File");
  EXPECT_EQ(m_ui->messages.back().text,
            "\"" + kLocalPackage + "\"\rCannot be opened as a Msi File");
}

}  // namespace
}  // namespace qv
