#include "guids/guid_forms.h"

#include <gtest/gtest.h>

#include "guids/guid_machine.h"

namespace qv {
namespace {

// The forms themselves are the installer helper library's; an empty text never reaches it.
TEST(GuidFormsTest, PackAndUnpackThroughTheLibrary) {
  EXPECT_EQ(PackGUID(test::guid::kComponent), test::PackedForTest(test::guid::kComponent));
  EXPECT_EQ(UnpackGUID(test::PackedForTest(test::guid::kComponent)), test::guid::kComponent);
  EXPECT_EQ(PackGUID("not a guid"), "");
  EXPECT_EQ(UnpackGUID("not packed"), "");
  EXPECT_EQ(PackGUID(""), "");
  EXPECT_EQ(UnpackGUID(""), "");
}

}  // namespace
}  // namespace qv
