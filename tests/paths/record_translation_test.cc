#include "paths/record_translation.h"

#include "paths/package_test_base.h"

namespace qv {
namespace {

using RecordTranslationTest = test::PackageTest;

TEST_F(RecordTranslationTest, DecodeChecksOpensAndReleasesThePackageUnderTheBusyPointer) {
  const DecodedRecord refused = DecodeRecord("C:\\Packages\\missing.msi", "[#MainExe]");
  EXPECT_EQ(refused.outcome, DecodeOutcome::kRefused);
  EXPECT_EQ(refused.text, "");
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0].text, "C:\\Packages\\missing.msi is not a valid file.");
  EXPECT_EQ(ui->busyMaxDepth, 0);

  QV_FIXTURE_OR_SKIP(package, dir, "session");
  EXPECT_EQ(Decode(package, "[#MainExe]"), test::kProductHome + "bin\\main program.exe");
  EXPECT_EQ(ui->busyMaxDepth, 1);
  EXPECT_EQ(ui->busyDepth, 0);
  EXPECT_EQ(OpenDb().oDatabase, nullptr);
  EXPECT_EQ(OpenDb().oSession, nullptr);
  EXPECT_EQ(ui->messages.size(), 1u);

  Program().InstallerObject = nullptr;  // a package that passes the check but cannot be opened
  EXPECT_EQ(DecodeRecord(package, "[X]").outcome, DecodeOutcome::kNotOpened);
  ASSERT_GT(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[1].title, "ERROR - Not a Msi File");
}

}  // namespace
}  // namespace qv
