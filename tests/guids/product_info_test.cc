#include "guids/product_info.h"

#include <gtest/gtest.h>

#include "guids/guid_fixture.h"
#include "platform/base/pending_error.h"

namespace qv {
namespace {

using namespace test::guid;
using ProductInfoTest = test::GuidMachineTest;

TEST_F(ProductInfoTest, AttributesOrEmptyTexts) {
  struct Case {
    std::string product;
    std::string attribute;
    std::string value;
  };
  const Case cases[] = {
      {kInstalled, "VersionString", "2.5.1"},
      {kInstalled, "ProductVersion", ""},  // not an attribute of the installer
      {kAdvertised, "VersionString", ""},  // only installed products have it
      {kAbsent, "ProductName", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetProductInfoValue(c.product, c.attribute), c.value)
        << c.product << " " << c.attribute;
    EXPECT_FALSE(ErrorPending()) << c.product << " " << c.attribute;
  }
}

TEST_F(ProductInfoTest, AnEarlierPendingErrorStays) {
  SetPendingError(5, "Earlier", "still to be reported");
  EXPECT_EQ(GetProductInfoValue(kAbsent, "ProductName"), "");
  EXPECT_EQ(PendingError().number, 5);
  EXPECT_EQ(PendingError().description, "still to be reported");
  ClearPendingError();
}

TEST_F(ProductInfoTest, LocalPackageOfInstalledProductsOnly) {
  EXPECT_EQ(GetLocalPackage(kInstalled), kLocalPackage);
  EXPECT_EQ(GetLocalPackage(kAdvertised), "");
  EXPECT_EQ(GetLocalPackage(kAbsent), "");
  EXPECT_EQ(GetLocalPackage(""), "");
}

TEST_F(ProductInfoTest, NoInstallerObjectAnswersNothing) {
  Program().InstallerObject = nullptr;
  EXPECT_EQ(GetProductInfoValue(kInstalled, "ProductName"), "");
  EXPECT_EQ(GetLocalPackage(kInstalled), "");
}

}  // namespace
}  // namespace qv
