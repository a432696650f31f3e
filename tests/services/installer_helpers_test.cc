#include "services/installer_helpers.h"

#include <gtest/gtest.h>

#include "platform/msi/msi_functions.h"
#include "support/fixture_packages.h"
#include "support/handle_check.h"
#include "support/test_machine.h"

namespace qv {
namespace {

TEST(InstallerHelpersTest, GuidFormsBothWaysInCapitals) {
  // The installer's wrappers add the braces and give capitals; the packing itself is the
  // platform's.
  std::string buffer;
  EXPECT_EQ(GUIDFormattedToPacked("ad000000-0000-0000-0000-000000000021", &buffer), 1);
  EXPECT_EQ(buffer, "000000DA000000000000000000000012");
  EXPECT_EQ(GUIDPackedToFormatted(buffer, &buffer), 1);
  EXPECT_EQ(buffer, "{AD000000-0000-0000-0000-000000000021}");
  EXPECT_EQ(GUIDFormattedToPacked("{12345678-1234}", &buffer), 0);
  EXPECT_EQ(buffer, "");
  buffer = "left over";
  EXPECT_EQ(GUIDPackedToFormatted("8765432143214321214321436587A9CZ", &buffer), 0);
  EXPECT_EQ(buffer, "");
}

class PackageHelpersTest : public test::HandleLeakCheck {
 protected:
  test::ScopedTestMachine m_machine;
  test::TempDir m_dir;
};

TEST_F(PackageHelpersTest, ReadsAPropertyWithoutASession) {
  QV_FIXTURE_OR_SKIP(path, m_dir, "wix_product");
  const struct {
    const char* name;
    int32_t room, found;
    std::string value;
    int32_t size;
  } cases[] = {
      {"ProductVersion", 1000, 1, "1.2.3", 5},
      {"it's", 1000, 0, "", 0},          // a quote in the key is looked for, not a broken query
      {"ProductName", 4, 1, "Wix", 10},  // what fits; the size tells the whole length
  };
  msi::MSIHANDLE database = 0;
  msi::MSIHANDLE view = 0;
  std::string buffer;
  int32_t size = 0;
  for (const auto& c : cases) {
    buffer = "left over";
    size = c.room;
    EXPECT_EQ(
        GetMSISRec(&database, path, 0, &view, "Property", "Property", c.name, 2, &buffer, &size),
        c.found)
        << c.name;
    EXPECT_EQ(buffer, c.value) << c.name;
    EXPECT_EQ(size, c.size) << c.name;
    EXPECT_EQ(database, 0u);  // everything it opened is closed again
    EXPECT_EQ(view, 0u);
  }
  // Kept open, the handles come back to the caller, who closes them.
  size = 1000;
  EXPECT_EQ(GetMSISRec(&database, path, 1, &view, "Property", "Property", "ProductName", 2, &buffer,
                       &size),
            1);
  EXPECT_NE(database, 0u);
  EXPECT_NE(view, 0u);
  EXPECT_EQ(GetMSISRec(&database, "", 0, &view, "Property", "Property", "ProductVersion", 2,
                       &buffer, &size),
            1);
  EXPECT_EQ(buffer, "1.2.3");
  EXPECT_EQ(view, 0u);
  EXPECT_EQ(msi::MsiCloseHandle(database), msi::kErrorSuccess);
  // A package that does not open gives nothing.
  database = 0;
  EXPECT_EQ(GetMSISRec(&database, m_dir.Sub("absent.msi"), 0, &view, "Property", "Property",
                       "ProductName", 2, &buffer, &size),
            0);
  EXPECT_EQ(buffer, "");
}

}  // namespace
}  // namespace qv
