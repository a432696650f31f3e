#include "platform/msi/msi_functions.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/base/pending_error.h"
#include "platform/msi/engine_installer.h"
#include "support/fixture_packages.h"
#include "support/locking_child.h"
#include "support/temp_dir.h"

namespace qv::msi {
namespace {

TEST(MsiFunctionsTest, PackageLockedByAnotherProcessCannotBeOpened) {
  test::TempDir dir;
  QV_FIXTURE_OR_SKIP(path, dir, "basic");
  EXPECT_EQ(MsiVerifyPackageA(path), 0u);
  {
    test::LockingChild holder(path, F_WRLCK);
    ASSERT_TRUE(holder.locked());
    EXPECT_EQ(MsiVerifyPackageA(path), 1619u);
    auto installer = MakeEngineInstaller();
    ClearPendingError();
    EXPECT_FALSE(installer->OpenDatabase(path, 0));
    EXPECT_EQ(PendingError().description, "OpenDatabase,DatabasePath,OpenMode");
    auto record = installer->LastErrorRecord();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->FormatText(), "1: 2203 2: " + path + " 3: -2147287008 ");
    ClearPendingError();
  }
  EXPECT_EQ(MsiVerifyPackageA(path), 0u);
}

TEST(MsiFunctionsTest, VerifiesByTheRootClass) {
  test::TempDir dir;
  QV_FIXTURE_OR_SKIP(module, dir, "module");
  EXPECT_EQ(MsiVerifyPackageA(module), 0u);
  EXPECT_EQ(MsiVerifyPackageA(test::BuildFixture(dir, "patch")), 1620u);
  EXPECT_EQ(MsiVerifyPackageA(dir.Write("notes.msi", "this is a text file\r\n")), 1620u);
  EXPECT_EQ(MsiVerifyPackageA(dir.Sub("absent.msi")), 1619u);
}

}  // namespace
}  // namespace qv::msi
