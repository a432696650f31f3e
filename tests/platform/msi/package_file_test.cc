#include "platform/msi/package_file.h"

#include <gtest/gtest.h>

#include "platform/msi/engine_installer.h"
#include "platform/msi/msi_functions.h"
#include "platform/msi/package_database.h"
#include "support/hostile_files.h"
#include "support/test_machine.h"

namespace qv::msi {
namespace {

// A FIFO named as a package is refused at once through every way a package is opened: none of
// them waits for a writer.
TEST(PackageFileTest, NonRegularFilesAreRefusedWithoutWaiting) {
  test::ScopedTestMachine machine;
  const std::string path = machine.DriveC() + "/hostile.msi";
  ASSERT_TRUE(test::MakeHostileFile(test::HostileKind::kFifo, path));
  const std::string outcome = test::CallBounded([&] {
    std::string bytes;
    std::shared_ptr<PackageDatabase> database;
    return ReadPackageFile(path, &bytes).ToString() + "|" +
           OpenPackageDatabase("C:\\hostile.msi", kOpenReadOnly, &database).ToString() + "|" +
           std::to_string(MsiVerifyPackageA(path));
  });
  const std::string refused = "Invalid argument: " + path + ": not a regular file";
  EXPECT_EQ(outcome, refused + "|" + refused + "|1619");
}

}  // namespace
}  // namespace qv::msi
