#include "guids/product_info.h"

#include <gtest/gtest.h>

#include "guids/guid_fixture.h"
#include "platform/base/pending_error.h"

namespace qv {
namespace {

using namespace test::guid;
using ProductInfoTest = test::GuidMachineTest;

// The answers themselves show in the identification and package record tests.
TEST_F(ProductInfoTest, AnEarlierErrorStaysAndNoInstallerAnswersNothing) {
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
