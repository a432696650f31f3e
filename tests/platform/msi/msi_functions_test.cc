#include "platform/msi/msi_functions.h"

#include <fcntl.h>

#include <gtest/gtest.h>

#include "platform/base/pending_error.h"
#include "platform/msi/engine_installer.h"
#include "support/fixture_packages.h"
#include "support/handle_check.h"
#include "support/locking_child.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::msi {
namespace {

TEST(MsiFunctionsTest, VerifiesByTheRootClassAndRefusesAPackageLockedByAnotherProcess) {
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
    auto record = installer->LastErrorRecord();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->FormatText(), "1: 2203 2: " + path + " 3: -2147287008 ");
    ClearPendingError();
  }
  // Packages are verified by their root class.
  EXPECT_EQ(MsiVerifyPackageA(test::BuildFixture(dir, "module")), 0u);
  EXPECT_EQ(MsiVerifyPackageA(test::BuildFixture(dir, "patch")), 1620u);
  EXPECT_EQ(MsiVerifyPackageA(dir.Write("notes.msi", "this is a text file\r\n")), 1620u);
  EXPECT_EQ(MsiVerifyPackageA(dir.Sub("absent.msi")), 1619u);
}

class MsiHandleFunctionsTest : public test::HandleLeakCheck {
 protected:
  test::ScopedTestMachine m_machine;
  test::TempDir m_dir;
};

TEST_F(MsiHandleFunctionsTest, TargetPathsOfACostedSessionViewsByParameterAndFailuresToOpen) {
  QV_FIXTURE_OR_SKIP(path, m_dir, "wix_product");
  MSIHANDLE database = 0;
  ASSERT_EQ(MsiOpenDatabaseA(path, 0, &database), kErrorSuccess);
  MSIHANDLE install = 0;
  ASSERT_EQ(MsiOpenPackageA("#" + std::to_string(database), &install), kErrorSuccess);
  std::string target;
  uint32_t size = 1000;
  // Before CostFinalize no folder is resolved.
  EXPECT_EQ(MsiGetTargetPathA(install, "TARGETDIR", &target, &size), kErrorDirectory);
  for (const char* action : {"CostInitialize", "FileCost", "CostFinalize"}) {
    EXPECT_EQ(MsiDoActionA(install, action), kErrorSuccess) << action;
  }
  EXPECT_EQ(MsiDoActionA(install, "InstallFiles"), kErrorFunctionNotCalled);
  EXPECT_FALSE(ErrorPending());  // msi.dll answers with codes, not the pending error
  const std::string installDir = "C:\\Program Files (x86)\\Wix Sample\\";
  // Which folder resolves to what is the session's; here the answers reach the caller.
  target.clear();
  EXPECT_EQ(MsiGetTargetPathA(install, "INSTALLDIR", &target, &size), kErrorSuccess);
  EXPECT_EQ(target, installDir);
  EXPECT_EQ(MsiGetTargetPathA(install, "targetdir", &target, &size), kErrorDirectory);
  // A buffer too small gets nothing and the length; no buffer asks for the length.
  size = static_cast<uint32_t>(installDir.size());
  target = "unchanged";
  EXPECT_EQ(MsiGetTargetPathA(install, "INSTALLDIR", &target, &size), kErrorMoreData);
  EXPECT_EQ(target, "unchanged");
  EXPECT_EQ(size, installDir.size());
  size = 0;
  EXPECT_EQ(MsiGetTargetPathA(install, "INSTALLDIR", nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, installDir.size());
  // Handles of the wrong kind, closed or never given out.
  EXPECT_EQ(MsiGetTargetPathA(database, "TARGETDIR", &target, &size), kErrorInvalidHandle);
  EXPECT_EQ(MsiCloseHandle(install), kErrorSuccess);
  EXPECT_EQ(MsiGetTargetPathA(install, "TARGETDIR", &target, &size), kErrorInvalidHandle);
  EXPECT_EQ(MsiCloseHandle(0), kErrorSuccess);
  EXPECT_EQ(MsiCloseHandle(99999), kErrorInvalidHandle);

  // Views fetch records by parameter.
  MSIHANDLE view = 0;
  EXPECT_EQ(MsiDatabaseOpenViewA(database, "SELECT * FROM `Nowhere`", &view), kErrorBadQuerySyntax);
  ASSERT_EQ(
      MsiDatabaseOpenViewA(database, "SELECT `Value` FROM `Property` WHERE `Property` = ?", &view),
      kErrorSuccess);
  const MSIHANDLE params = MsiCreateRecord(1);
  EXPECT_EQ(MsiRecordSetStringA(params, 1, "ProductVersion"), kErrorSuccess);
  ASSERT_EQ(MsiViewExecute(view, params), kErrorSuccess);
  MSIHANDLE record = 0;
  ASSERT_EQ(MsiViewFetch(view, &record), kErrorSuccess);
  std::string value;
  size = 100;
  EXPECT_EQ(MsiRecordGetStringA(record, 1, &value, &size), kErrorSuccess);
  EXPECT_EQ(value, "1.2.3");
  size = 3;
  EXPECT_EQ(MsiRecordGetStringA(record, 1, &value, &size), kErrorMoreData);
  EXPECT_EQ(size, 5u);
  MSIHANDLE none = 0;
  EXPECT_EQ(MsiViewFetch(view, &none), kErrorNoMoreItems);
  EXPECT_EQ(none, 0u);
  for (MSIHANDLE h : {record, params, view, database}) EXPECT_EQ(MsiCloseHandle(h), kErrorSuccess);
  // Failures to open give no handle.
  MSIHANDLE handle = 7;
  EXPECT_EQ(MsiOpenDatabaseA(m_dir.Sub("absent.msi"), 0, &handle), kErrorInstallPackageOpenFailed);
  EXPECT_EQ(handle, 0u);
  EXPECT_EQ(MsiOpenDatabaseA(m_dir.Write("text.msi", "not a package"), 0, &handle),
            kErrorInstallPackageInvalid);
  EXPECT_EQ(MsiOpenPackageA(m_dir.Sub("absent.msi"), &handle), kErrorInstallPackageOpenFailed);
  EXPECT_EQ(MsiOpenPackageA("#12345", &handle), kErrorInvalidHandle);
  EXPECT_EQ(MsiOpenPackageA("#x", &handle), kErrorInvalidHandle);
  EXPECT_EQ(MsiOpenPackageA("#99999999999999999999", &handle), kErrorInvalidHandle);
  ASSERT_EQ(MsiOpenPackageA(path, &handle), kErrorSuccess);  // a path opens its own database
  EXPECT_EQ(MsiDatabaseOpenViewA(handle, "SELECT * FROM `File`", &view), kErrorInvalidHandle);
  EXPECT_EQ(MsiCloseHandle(handle), kErrorSuccess);
}

TEST(MsiSetInternalUITest, ReturnsThePreviousLevelAndRefusesUnknownOnes) {
  const int32_t start = MsiSetInternalUI(kUiLevelNone, nullptr);
  EXPECT_EQ(MsiSetInternalUI(5, nullptr), kUiLevelNone);
  EXPECT_EQ(MsiSetInternalUI(kUiLevelNoChange, nullptr), 5);  // 0 keeps the level
  EXPECT_EQ(MsiSetInternalUI(3 | 0x20, nullptr), 5);
  EXPECT_EQ(MsiSetInternalUI(7, nullptr), kUiLevelNoChange);  // unknown: nothing changes
  EXPECT_EQ(MsiSetInternalUI(2 | 0x400, nullptr), kUiLevelNoChange);
  EXPECT_EQ(MsiSetInternalUI(start, nullptr), 3 | 0x20);
}

}  // namespace
}  // namespace qv::msi
