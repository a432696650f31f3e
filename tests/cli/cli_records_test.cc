// Runs quorvex-cli dirs / decode / encode on fixture packages.

#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_runner.h"
#include "support/test_machine.h"

namespace qv {
namespace {

using test::Lines;
using test::RunCli;

const std::string kVendor = "Quorvex Vendor\\Product ";
const std::string kHome = "C:\\Program Files (x86)\\" + kVendor + "Home\\";

class CliRecordsTest : public ::testing::Test {
 protected:
  // The lines `dirs` prints for the session fixture.
  std::vector<std::string> Dirs(const std::string& package) {
    const test::CliResult r = RunCli(dir, {"dirs", package});
    EXPECT_EQ(r.status, 0) << r.err;
    return Lines(r.out);
  }
  static bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  test::IsolatedHome home;
  test::TempDir dir;
  const std::string source = test::OnDriveZ(dir.path()) + "\\";
};

TEST_F(CliRecordsTest, DirsListsEachFolderWithItsTargetAndSource) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  const std::vector<std::string> lines = Dirs(package);
  for (const std::string& line :
       {"INSTALLDIR\t" + kHome + "\t" + source + kVendor + "Source\\",
        "DATADIR\tD:\\Data\\\t" + source + "Data\\", "TARGETDIR\tC:\\\t" + source}) {
    EXPECT_TRUE(Has(lines, line)) << line;
  }
}

TEST_F(CliRecordsTest, DirsSeesTheWinePrefixAsTheMachine) {
  test::ScopedEnv env;
  env.Set(
      "WINEPREFIX",
      test::WriteWinePrefix(
          dir, "prefix",
          "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
          "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1700000000\n"
          "\"ProgramFilesDir (x86)\"=\"D:\\\\Apps32\"\n",
          "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"));
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  EXPECT_TRUE(Has(Dirs(package), "BinDir\tD:\\Apps32\\" + kVendor + "Home\\bin\\\t" + source +
                                     kVendor + "Source\\bin\\"));
}

TEST_F(CliRecordsTest, DecodeAndEncodeTranslateRecords) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  const test::CliResult decoded =
      RunCli(dir, {"decode", package, "\"[#MainExe]\" /log [INSTALLDIR]x.log [Unknown]"});
  ASSERT_EQ(decoded.status, 0) << decoded.err;
  EXPECT_EQ(decoded.out,
            "\"" + kHome + "bin\\main program.exe\" /log " + kHome + "x.log Unknown\n");
  const test::CliResult encoded = RunCli(
      dir, {"encode", package, "\"" + kHome + "bin\\main program.exe\" /log " + kHome + "x.log"});
  ASSERT_EQ(encoded.status, 0) << encoded.err;
  EXPECT_EQ(encoded.out, "\"[#MainExe]\" /log [DocDir]x.log\n");
}

// A 32-bit package's [ProgramFilesFolder] decodes to the folder its session gives it, and a
// path in that folder encodes back to the key: on the built-in machine and on a 64-bit Wine
// prefix, whose 32-bit view names its own folders.
TEST_F(CliRecordsTest, ProgramFilesFolderDecodesAndEncodesToTheSessionsFolder) {
  const std::string wine = test::WriteWinePrefix(
      dir, "prefix64",
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1700000000\n"
      "\"ProgramFilesDir\"=\"C:\\\\Programs\"\n"
      "\"ProgramFilesDir (x86)\"=\"C:\\\\Programs (x86)\"\n"
      "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1700000000\n"
      "\"ProgramFilesDir\"=\"C:\\\\Programs (x86)\"\n",
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n");
  QV_FIXTURE_OR_SKIP(package, dir, "basic");
  // machine (WINEPREFIX, "" for the built-in one), the 32-bit program folder
  const std::pair<std::string, std::string> machines[] = {{"", "C:\\Program Files (x86)\\"},
                                                          {wine, "C:\\Programs (x86)\\"}};
  for (const auto& [prefix, folder] : machines) {
    test::ScopedEnv env;
    if (!prefix.empty()) env.Set("WINEPREFIX", prefix);
    const test::CliResult decoded = RunCli(dir, {"decode", package, "[ProgramFilesFolder]a.txt"});
    EXPECT_EQ(decoded.out, folder + "a.txt\n") << decoded.err;
    const test::CliResult encoded = RunCli(dir, {"encode", package, folder + "a.txt"});
    EXPECT_EQ(encoded.out, "[ProgramFilesFolder]a.txt\n") << encoded.err;
    const std::vector<std::string> dirs = Lines(RunCli(dir, {"dirs", package}).out);
    EXPECT_TRUE(std::any_of(dirs.begin(), dirs.end(), [&](const std::string& line) {
      return line.rfind("ProgramFilesFolder\t" + folder + "\t", 0) == 0;
    })) << folder;
  }
}

TEST_F(CliRecordsTest, BadPackagesAndWrongUsage) {
  const std::string text = dir.Write("notes.msi", "plain text\n");
  for (const char* command : {"dirs", "decode", "encode"}) {
    std::vector<std::string> args = {command, text};
    if (std::string(command) != "dirs") args.push_back("[X]");
    const test::CliResult r = RunCli(dir, args);
    EXPECT_EQ(r.status, 1) << command;
    EXPECT_NE(r.err.find(text + " is not a valid Msi Package."), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << command;
    EXPECT_EQ(RunCli(dir, {command}).status, 2) << command;
  }
}

}  // namespace
}  // namespace qv
