#include "guids/package_value.h"

#include <gtest/gtest.h>

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
  const std::pair<std::string, std::string> cases[] = {
      {"ProductName", "Wix Sample"},
      {"ProductCode", "{12345678-1234-1234-1234-123456789ABC}"},
      {"productname", ""},  // property names keep their case
      {"NoSuchProperty", ""},
      {"INSTALLDIR", "C:\\Program Files (x86)\\Wix Sample\\"},
      {"SOURCEDIR", ""},   // a property the installer sets, no Directory key
      {"installdir", ""},  // a folder name of another case is no Directory key
  };
  for (const auto& [name, value] : cases) {
    EXPECT_EQ(GetPackageValue(path, name), value) << name;
  }
}

}  // namespace
}  // namespace qv
