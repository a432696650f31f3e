#include "guids/guid_forms.h"

#include <gtest/gtest.h>

#include "guids/guid_machine.h"

namespace qv {
namespace {

TEST(GuidFormsTest, PackAndUnpackAsTheInstallerWritesThem) {
  const std::pair<std::string, std::string> cases[] = {
      {"{12345678-9ABC-DEF0-1234-56789ABCDEF0}", "87654321CBA90FED21436587A9CBED0F"},
      {"{a1b2c3d4-1111-2222-3333-444455556666}", "4D3C2B1A111122223333444455556666"},
      {"", ""},            // answered without the library
      {"not a guid", ""},  // the library's answer
  };
  for (const auto& [standard, packed] : cases) {
    EXPECT_EQ(PackGUID(standard), packed) << standard;
  }
  EXPECT_EQ(PackGUID(test::guid::kComponent), test::PackedForTest(test::guid::kComponent));
  EXPECT_EQ(UnpackGUID("87654321CBA90FED21436587A9CBED0F"),
            "{12345678-9ABC-DEF0-1234-56789ABCDEF0}");
  EXPECT_EQ(UnpackGUID("4d3c2b1a111122223333444455556666"),
            "{A1B2C3D4-1111-2222-3333-444455556666}");
  EXPECT_EQ(UnpackGUID(""), "");
  EXPECT_EQ(UnpackGUID("87654321CBA90FED2143658709BADC0"), "");  // 31 digits
}

}  // namespace
}  // namespace qv
