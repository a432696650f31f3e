#include "guids/package_value.h"

#include <gtest/gtest.h>

#include "services/data_rows.h"
#include "support/fixture_packages.h"
#include "support/handle_check.h"
#include "support/test_machine.h"

namespace qv {
namespace {

class PackageValueTest : public test::HandleLeakCheck {
 protected:
  test::ScopedTestMachine m_machine;
  test::TempDir m_dir;
};

TEST_F(PackageValueTest, ReadsPropertiesAndResolvedFolders) {
  QV_FIXTURE_OR_SKIP(path, m_dir, "wix_product");
  for (const test::DataRow& row : test::DataRows("guids/package_value.tsv")) {
    EXPECT_EQ(GetPackageValue(path, row[0]), row[1]) << row[0];
  }
}

TEST_F(PackageValueTest, NoPackageGivesNothing) {
  const std::string notes = m_dir.Write("notes.msi", "not a package");
  for (const std::string& package : {std::string(), m_dir.Sub("absent.msi"), notes}) {
    EXPECT_EQ(GetPackageValue(package, "ProductName"), "") << package;
    EXPECT_EQ(GetPackageValue(package, "INSTALLDIR"), "") << package;
  }
}

}  // namespace
}  // namespace qv
