#include "guids/product_info.h"

#include <gtest/gtest.h>

#include "guids/guid_fixture.h"
#include "platform/base/pending_error.h"

namespace qv {
namespace {

using namespace test::guid;
using ProductInfoTest = test::GuidMachineTest;

TEST_F(ProductInfoTest, AttributesAndLocalPackagesOfInstalledProductsOnly) {
  EXPECT_EQ(GetProductInfoValue(kInstalled, "VersionString"), "2.5.1");
  EXPECT_EQ(GetProductInfoValue(kInstalled, "ProductVersion"), "");  // not the installer's
  EXPECT_EQ(GetProductInfoValue(kAdvertised, "VersionString"), "");
  EXPECT_EQ(GetLocalPackage(kInstalled), kLocalPackage);
  EXPECT_EQ(GetLocalPackage(kAdvertised), "");
  EXPECT_FALSE(ErrorPending());

  // An error pending from before stays for its report.
  SetPendingError(5, "Earlier", "still to be reported");
  EXPECT_EQ(GetProductInfoValue(kAbsent, "ProductName"), "");
  EXPECT_EQ(PendingError().description, "still to be reported");
  ClearPendingError();

  Program().InstallerObject = nullptr;
  EXPECT_EQ(GetProductInfoValue(kInstalled, "ProductName"), "");
  EXPECT_EQ(GetLocalPackage(kInstalled), "");
}

}  // namespace
}  // namespace qv
