#include "platform/msi/package_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/msi/engine_installer.h"
#include "platform/msi/msi_functions.h"
#include "platform/msi/package_database.h"
#include "support/hostile_files.h"
#include "support/test_machine.h"

namespace qv::msi {
namespace {

// A FIFO, folder, socket or device named as a package is refused at once with what it is,
// through every way a package is opened; none of them waits for a writer.
TEST(PackageFileTest, NonRegularFilesAreRefusedWithoutWaiting) {
  test::ScopedTestMachine machine;
  for (test::HostileKind kind : test::AllHostileKinds()) {
    const std::string path = machine.DriveC() + "/hostile.msi";
    ASSERT_TRUE(test::MakeHostileFile(kind, path));
    const std::string windowsPath = "C:\\hostile.msi";
    const std::string outcome = test::CallBounded([&] {
      std::string bytes;
      std::shared_ptr<PackageDatabase> database;
      return ReadPackageFile(path, &bytes).ToString() + "|" +
             OpenPackageDatabase(windowsPath, kOpenReadOnly, &database).ToString() + "|" +
             std::to_string(MsiVerifyPackageA(path));
    });
    EXPECT_EQ(outcome, "Invalid argument: " + path + ": not a regular file|Invalid argument: " +
                           path + ": not a regular file|1619")
        << test::NameOf(kind);
    std::filesystem::remove(path);
  }
}

}  // namespace
}  // namespace qv::msi
