// Runs quorvex-cli dirs / decode / encode on fixture packages.

#include <gtest/gtest.h>

#include <algorithm>

#include "cli/cli_runner.h"
#include "support/test_machine.h"

namespace qv {
namespace {

using test::Lines;
using test::RunCli;

const std::string kHome = "C:\\Program Files (x86)\\Quorvex Vendor\\Product Home\\";

std::string OnDriveZ(const std::string& hostFolder) {
  std::string path = "Z:" + hostFolder;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path + "\\";
}

class CliRecordsTest : public ::testing::Test {
 protected:
  test::IsolatedHome home;
  test::TempDir dir;
};

TEST_F(CliRecordsTest, DirsListsEveryFolderInTableOrder) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  const test::CliResult r = RunCli(dir, {"dirs", package});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);

  std::vector<std::string> keys;
  for (const std::string& line : lines) keys.push_back(line.substr(0, line.find('\t')));
  std::vector<std::string> expected = Lines(test::RunCommand(
      "msiinfo export " + test::ShellQuote(package) + " Directory | tail -n +4 | cut -f1"));
  for (std::string& key : expected) key.erase(key.find_last_not_of('\r') + 1);
  EXPECT_EQ(keys, expected);

  const std::string source = OnDriveZ(dir.path());
  for (const std::string& line :
       {"INSTALLDIR\t" + kHome + "\t" + source + "Quorvex Vendor\\Product Source\\",
        "BinDir\t" + kHome + "bin\\\t" + source + "Quorvex Vendor\\Product Source\\bin\\",
        "DATADIR\tD:\\Data\\\t" + source + "Data\\", "TARGETDIR\tC:\\\t" + source}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
  }
}

TEST_F(CliRecordsTest, DirsSeesTheWinePrefixAsTheMachine) {
  const std::string systemReg =
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1700000000\n"
      "\"ProgramFilesDir (x86)\"=\"D:\\\\Apps32\"\n";
  test::ScopedEnv env;
  const std::string userReg =
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n";
  env.Set("WINEPREFIX", test::WriteWinePrefix(dir, "prefix", systemReg, userReg));
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  const test::CliResult r = RunCli(dir, {"dirs", package});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  const std::string source = OnDriveZ(dir.path());
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "BinDir\tD:\\Apps32\\Quorvex Vendor\\Product Home\\bin\\\t" + source +
                          "Quorvex Vendor\\Product Source\\bin\\"),
            lines.end())
      << r.out;
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
