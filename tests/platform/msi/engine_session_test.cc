#include "platform/msi/engine_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "platform/base/pending_error.h"
#include "platform/msi/engine_installer.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::msi {
namespace {

// The Windows form of a host folder below '/', as drive Z shows it.
std::string OnDriveZ(const std::string& hostFolder) {
  std::string path = "Z:" + hostFolder;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path + "\\";
}

// Stamps the package's summary with another template (the platform it is built for).
void SetTemplate(const std::string& package, const std::string& platform) {
  int status = 0;
  const std::string out = test::RunCommand(
      "msibuild " + test::ShellQuote(package) + " -s 'Session Sample' 'Quorvex Tests' " +
          test::ShellQuote(platform) + " '{AAAAAAAA-1111-2222-3333-444444444444}' 2>&1",
      &status);
  ASSERT_EQ(status, 0) << out;
}

class EngineSessionTest : public ::testing::Test {
 protected:
  void TearDown() override { ClearPendingError(); }
  test::TempDir dir;
};

// Costing resolves every folder of the fixture from the machine's folder properties, whatever
// platform the package is built for; the rules themselves are directory_resolution_test's.
TEST_F(EngineSessionTest, CostingResolvesTheFoldersOnTheMachinePropertiesActionsAndErrors) {
  test::ScopedTestMachine machine;
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  const std::string source = OnDriveZ(dir.path());
  const std::string home = "C:\\Program Files (x86)\\Quorvex Vendor\\Product Home\\";
  const std::map<std::string, std::pair<std::string, std::string>> expected = {
      {"TARGETDIR", {"C:\\", source}},
      {"INSTALLDIR", {home, source + "Quorvex Vendor\\Product Source\\"}},
      {"DATADIR", {"D:\\Data\\", source + "Data\\"}},
      {"CompanyData", {"C:\\Users\\tester\\AppData\\Roaming\\Quorvex\\", source + "Quorvex\\"}},
      {"NativeDir", {"C:\\Program Files\\Native App\\", source + "Native App\\"}},
      {"SystemFolder", {"C:\\Windows\\SysWOW64\\", source}},
  };
  for (const char* platform : {"Intel;1033", "x64;1033"}) {
    SCOPED_TRACE(platform);
    SetTemplate(package, platform);
    std::shared_ptr<Installer> installer = MakeEngineInstaller();
    std::shared_ptr<Session> session =
        installer->OpenPackage(installer->OpenDatabase(package, 0), 0);
    ASSERT_NE(session, nullptr);
    for (const char* action : {"CostInitialize", "FileCost", "ResolveSource", "CostFinalize"}) {
      EXPECT_EQ(session->DoAction(action), 1) << action;
    }
    for (const auto& [key, folders] : expected) {
      EXPECT_EQ(session->TargetPath(key), folders.first) << key;
      EXPECT_EQ(session->SourcePath(key), folders.second) << key;
      EXPECT_EQ(session->Property(key), folders.first) << key;
    }
    EXPECT_FALSE(ErrorPending());
  }

  // Properties, actions and errors of a session opened on the package's path.
  std::shared_ptr<Session> session = MakeEngineInstaller()->OpenPackage(package, 0);
  ASSERT_NE(session, nullptr);
  EXPECT_EQ(session->Property("ProductName"), "Session Sample");
  EXPECT_EQ(session->ProductProperty("ProductVersion"), "1.2.3");
  EXPECT_EQ(session->ProductProperty("ProgramFilesFolder"), "");
  EXPECT_EQ(session->Property("ProgramFilesFolder"), "C:\\Program Files (x86)\\");
  EXPECT_EQ(session->Property("OriginalDatabase"), OnDriveZ(dir.path()) + "session.msi");
  EXPECT_EQ(session->Property("SourceDir"), "");

  // Folders are known only after costing.
  EXPECT_EQ(session->TargetPath("INSTALLDIR"), "");
  EXPECT_TRUE(ErrorPending());
  ClearPendingError();

  EXPECT_NE(session->DoAction("InstallFiles"), 1);
  EXPECT_EQ(PendingError().description, "DoAction,Action");
  ClearPendingError();

  session->DoAction("ResolveSource");
  EXPECT_EQ(session->Property("SourceDir"), OnDriveZ(dir.path()));
  EXPECT_EQ(session->Property("SOURCEDIR"), OnDriveZ(dir.path()));
  session->SetProperty("INSTALLDIR", "E:\\Elsewhere");
  session->DoAction("CostFinalize");
  EXPECT_EQ(session->TargetPath("BinDir"), "E:\\Elsewhere\\bin\\");
  EXPECT_EQ(session->TargetPath("NoSuchFolder"), "");
  EXPECT_EQ(PendingError().description, "TargetPath,Folder");
}

}  // namespace
}  // namespace qv::msi
