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

using Folders = std::map<std::string, std::pair<std::string, std::string>>;

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

// What the fixture's folders resolve to, for a machine's Program Files, AppData and Windows
// folders and the package's source folder.
Folders ExpectedFolders(const std::string& pf86, const std::string& pf64,
                        const std::string& appData, const std::string& systemFolder,
                        const std::string& source) {
  const std::string vendor = pf86 + "Quorvex Vendor\\";
  const std::string home = vendor + "Product Home\\";
  const std::string src = source + "Quorvex Vendor\\Product Source\\";
  return {
      {"TARGETDIR", {"C:\\", source}},
      {"ProgramFilesFolder", {pf86, source}},
      {"ProgramFiles64Folder", {pf64, source}},
      {"Vendor", {vendor, source + "Quorvex Vendor\\"}},
      {"INSTALLDIR", {home, src}},
      {"BinDir", {home + "bin\\", src + "bin\\"}},
      {"DocDir", {home, src + "docsrc\\"}},
      {"DATADIR", {"D:\\Data\\", source + "Data\\"}},
      {"AppDataFolder", {appData, source}},
      {"CompanyData", {appData + "Quorvex\\", source + "Quorvex\\"}},
      {"NativeDir", {pf64 + "Native App\\", source + "Native App\\"}},
      {"SystemFolder", {systemFolder, source}},
      {"SelfRoot", {"C:\\", source}},
  };
}

void ExpectResolved(const std::string& package, const Folders& expected) {
  std::shared_ptr<Installer> installer = MakeEngineInstaller();
  std::shared_ptr<Database> db = installer->OpenDatabase(package, 0);
  ASSERT_NE(db, nullptr);
  std::shared_ptr<Session> session = installer->OpenPackage(db, 0);
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

class EngineSessionTest : public ::testing::Test {
 protected:
  void TearDown() override { ClearPendingError(); }
  test::TempDir dir;
};

TEST_F(EngineSessionTest, ResolvesEveryFolderRuleOnTheBuiltInProfile) {
  test::ScopedTestMachine machine;
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  const Folders expected = ExpectedFolders("C:\\Program Files (x86)\\", "C:\\Program Files\\",
                                           "C:\\Users\\tester\\AppData\\Roaming\\",
                                           "C:\\Windows\\SysWOW64\\", OnDriveZ(dir.path()));
  for (const char* platform : {"Intel;1033", "x64;1033"}) {
    SCOPED_TRACE(platform);
    SetTemplate(package, platform);
    ExpectResolved(package, expected);
  }
}

TEST_F(EngineSessionTest, ResolvesFromAWinePrefixWhoseFoldersDiffer) {
  const std::string systemReg =
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1700000000\n"
      "\"ProgramFilesDir\"=\"C:\\\\Programs64\"\n"
      "\"ProgramFilesDir (x86)\"=\"C:\\\\Programs32\"\n\n"
      "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1700000000\n"
      "\"SystemRoot\"=\"C:\\\\windows\"\n";
  const std::string userReg =
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] "
      "1700000000\n"
      "\"AppData\"=\"C:\\\\users\\\\ann\\\\Application Data\"\n";
  test::IsolatedHome home;
  test::ScopedEnv env;
  env.Set("WINEPREFIX", test::WriteWinePrefix(dir, "prefix", systemReg, userReg));
  Status status;
  SetCurrentMachine(LoadMachineFromEnvironment(&status));
  ASSERT_TRUE(status.ok()) << status.ToString();

  QV_FIXTURE_OR_SKIP(package, dir, "session");
  ExpectResolved(package, ExpectedFolders("C:\\Programs32\\", "C:\\Programs64\\",
                                          "C:\\users\\ann\\Application Data\\",
                                          "C:\\windows\\syswow64\\", OnDriveZ(dir.path())));
  SetCurrentMachine(nullptr);
}

TEST_F(EngineSessionTest, PropertiesActionsAndErrors) {
  test::ScopedTestMachine machine;
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  std::shared_ptr<Installer> installer = MakeEngineInstaller();
  std::shared_ptr<Session> session = installer->OpenPackage(package, 0);
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
