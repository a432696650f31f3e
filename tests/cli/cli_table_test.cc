// quorvex-cli as scripts see it: for each command line, the exit status and the first line it
// prints (standard output, or standard error when it printed nothing there).

#include <fcntl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "cli/cli_runner.h"
#include "guids/guid_machine.h"
#include "support/locking_child.h"

namespace qv {
namespace {

using namespace test::guid;

struct CliCase {
  std::vector<std::string> args;  ///< "$basic", "$dir", ... stand for the paths of SetUp
  int status;
  std::string firstLine;   ///< with the same stand-ins
  std::string env = "";    ///< "NAME=value" set for the run, with the same stand-ins
  std::string input = "";  ///< standard input
};

// 3,000 paths on standard input: over what one argument may hold (128 KiB).
std::string ManyPaths() {
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    text +=
        "\"C:\\Program Files (x86)\\Quorvex Sample\\bin\\Application.exe\" /log \"C:\\Program "
        "Files (x86)\\Quorvex Sample\\Documentation\\Manual.pdf\"\n";
  }
  return text;
}

class CliTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
    for (const char* name : {"basic", "patch", "transform", "japanese", "session"}) {
      m_paths[name] = test::BuildFixture(m_dir, name);
      ASSERT_FALSE(m_paths[name].empty()) << name;
    }
    m_paths["held"] = m_dir.Sub("held.msi");
    std::filesystem::copy_file(m_paths["basic"], m_paths["held"]);
    m_paths["notes"] = m_dir.Write("notes.msi", "plain text\n");
    m_paths["dir"] = m_dir.path();
    std::filesystem::create_directory(m_dir.Sub("empty"));
    m_paths["src"] = test::OnDriveZ(m_dir.path()) + "\\";
    m_paths["guids"] =
        test::WriteWinePrefix(m_dir, "prefix", test::GuidMachineHive(), test::GuidUserHive());
    ASSERT_TRUE(test::LayCachedPackage(m_dir, m_paths["guids"] + "/drive_c"));
    // Drive C of the built-in profile: setup.msi is its own short name, setup.msix is not.
    const std::string driveC = m_home.DataHome() + "/quorvex/drive_c/Setup Packages/";
    std::filesystem::create_directories(driveC);
    for (const char* name : {"setup.msi", "setup.msix"}) std::ofstream(driveC + name) << "x";
  }

  // The text with every "$name" replaced by the path SetUp made for it.
  std::string Expand(const std::string& text) const {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      const std::string* path = nullptr;
      size_t length = 0;
      for (const auto& [name, value] : m_paths) {
        if (text[i] == '$' && text.compare(i + 1, name.size(), name) == 0) {
          path = &value;
          length = name.size();
        }
      }
      out += path ? *path : std::string(1, text[i]);
      i += length;
    }
    return out;
  }

  // Runs quorvex-cli; returns its exit status and the first line it printed.
  std::pair<int, std::string> Run(const CliCase& c) {
    test::ScopedEnv env;
    if (!c.env.empty()) {
      const std::string setting = Expand(c.env);
      env.Set(setting.substr(0, setting.find('=')), setting.substr(setting.find('=') + 1));
    }
    std::string command = test::ShellQuote(QV_CLI_PATH);
    for (const std::string& arg : c.args) command += " " + test::ShellQuote(Expand(arg));
    const std::string in = m_dir.Write("stdin.txt", c.input);
    const std::string err = m_dir.Sub("stderr.txt");
    int status = -1;
    std::string out = test::RunCommand(
        command + " <" + test::ShellQuote(in) + " 2>" + test::ShellQuote(err), &status);
    if (out.empty()) out = test::ReadFile(err);
    std::string first = out.substr(0, out.find('\n'));
    if (!first.empty() && first.back() == '\r') first.pop_back();  // IDT lines end in CR LF
    return {status, first};
  }

  test::IsolatedHome m_home;
  test::TempDir m_dir;
  std::map<std::string, std::string> m_paths;
};

TEST_F(CliTableTest, ExitStatusAndFirstLineOfEveryKindOfRun) {
  const std::string usage = "usage: quorvex-cli COMMAND ARGS...";
  const std::string guidUsage = "usage: quorvex-cli guid pack GUID | unpack PACKED | identify GUID";
  const std::string standardForm =
      "is not a GUID in the form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  const std::string app = "C:\\Program Files (x86)\\Quorvex Sample\\bin\\Application.exe";
  const std::string home = "C:\\Program Files (x86)\\Quorvex Vendor\\Product Home\\";
  const std::string queryFailed = "quorvex-cli: query failed: ";
  const std::string notAPackage = "Error: $notes is not a valid Msi Package.";
  const CliCase cases[] = {
      // Help and version, before or after any command.
      {{}, 2, usage},
      {{"--version"}, 0, "quorvex-cli 0.1"},
      {{"-h"}, 0, usage},
      {{"--help"}, 0, usage},
      {{"help"}, 0, usage},
      {{"help", "decode"}, 0, "usage: quorvex-cli decode PKG TEXT"},
      {{"decode", "--help"}, 0, "usage: quorvex-cli decode PKG TEXT"},
      {{"encode", "$basic", "-h"}, 0, "usage: quorvex-cli encode PKG TEXT"},
      {{"tables", "help"}, 0, "usage: quorvex-cli tables PKG"},
      {{"short", "-h"}, 0, "usage: quorvex-cli short PATH"},
      {{"help", "frobnicate"}, 2, "quorvex-cli: no command 'frobnicate'"},
      {{"frobnicate"}, 2, "quorvex-cli: unknown command 'frobnicate'"},
      // Wrong numbers of arguments.
      {{"tables"}, 2, "usage: quorvex-cli tables PKG"},
      {{"export", "$basic"}, 2, "usage: quorvex-cli export PKG TABLE"},
      {{"query", "$basic", "a", "b"}, 2, "usage: quorvex-cli query PKG SQL"},
      {{"decode", "$basic"}, 2, "usage: quorvex-cli decode PKG TEXT"},
      {{"encode"}, 2, "usage: quorvex-cli encode PKG TEXT"},
      {{"dirs"}, 2, "usage: quorvex-cli dirs PKG"},
      {{"long", ""}, 2, "usage: quorvex-cli long PATH"},
      {{"list"}, 2, "usage: quorvex-cli list DIR|FILE [--json]"},
      {{"list", "$dir", "$dir"}, 2, "usage: quorvex-cli list DIR|FILE [--json]"},
      {{"machine", "extra"}, 2, "usage: quorvex-cli machine "},
      {{"guid", "identify"}, 2, guidUsage},
      {{"guid", "frob", kComponent}, 2, guidUsage},
      // Packages, patches and transforms, as msiinfo lists them.
      {{"tables", "$basic"}, 0, "_SummaryInformation"},
      {{"tables", "$patch"}, 0, "_SummaryInformation"},
      {{"export", "$transform", "Property"}, 0, "Property\tValue"},
      {{"export", "$patch", "_SummaryInformation"}, 0, "PropertyId\tValue"},
      {{"export", "$basic", "Media"},
       0,
       "DiskId\tLastSequence\tDiskPrompt\tCabinet\tVolumeLabel\tSource"},
      {{"query", "$basic", "SELECT `File`, `FileSize`, `Version` FROM `File` ORDER BY `File`"},
       0,
       "App.exe\t123456\t2.5.1.0"},
      {{"query", "$transform",
        "SELECT `Value` FROM `Property` WHERE `Property` = 'ProductVersion'"},
       0,
       "1.0.1"},
      {{"tables", "$notes"},
       1,
       "quorvex-cli: cannot open '$notes' as an installer package: compound file, byte 11: file "
       "shorter than its header"},
      {{"export", "$basic", "Registry"}, 1, "quorvex-cli: no table 'Registry' in $basic"},
      {{"query", "$basic", "SELECT `File` FROM `File` WHERE"},
       1,
       queryFailed + "the query ends where more was expected (error record 1: 2232 2:  3:  4: "
                     "SELECT `File` FROM `File` WHERE)"},
      {{"query", "$basic", "SELECT FROM `File`"},
       1,
       queryFailed + "unexpected 'FROM' in the query (error record 1: 2232 2:  3: FROM 4: SELECT "
                     "FROM `File`)"},
      {{"query", "$basic", "SELECT * FROM `Nothing`"},
       1,
       queryFailed + "no table 'Nothing' in the package (error record 1: 2228 2:  3: Nothing 4: "
                     "SELECT * FROM `Nothing`)"},
      {{"query", "$basic", "SELECT `Size` FROM `File`"},
       1,
       queryFailed + "no column 'Size' in the query's table (error record 1: 2235 2:  3: Size 4: "
                     "SELECT `Size` FROM `File`)"},
      // A package's folders and the record tab's translations; texts from standard input, of
      // any length.
      {{"dirs", "$session"},
       0,
       "BinDir\t" + home + "bin\\\t$srcQuorvex Vendor\\Product Source\\bin\\"},
      {{"decode", "$session", "\"[#MainExe]\" /log [INSTALLDIR]x.log [Unknown]"},
       0,
       "\"" + home + "bin\\main program.exe\" /log " + home + "x.log Unknown"},
      {{"encode", "$session", "\"" + home + "bin\\main program.exe\" /log " + home + "x.log"},
       0,
       "\"[#MainExe]\" /log [DocDir]x.log"},
      {{"decode", "$basic", "-"},
       0,
       "C:\\Program Files (x86)\\a.txt",
       "",
       "[ProgramFilesFolder]a.txt\n"},
      {{"encode", "$basic", "-"}, 0, "\"[#App.exe]\" /log \"[DocDir]Manual.pdf\"", "", ManyPaths()},
      {{"encode", "$basic", app}, 0, "[#App.exe]"},
      {{"dirs", "$notes"}, 1, notAPackage},
      {{"decode", "$notes", "[X]"}, 1, notAPackage},
      {{"encode", "$notes", "[X]"}, 1, notAPackage},
      // An installer error reported on the way fails the run, whatever was printed.
      {{"decode", "$japanese", "[INSTALLDIR]x"}, 1, "INSTALLDIRx"},
      // A package another program holds is read from a copy.
      {{"decode", "$held", "[#App.exe]"}, 0, app},
      {{"encode", "$held", app}, 0, "[#App.exe]"},
      // The short and long forms of a path.
      {{"short", "C:\\Setup Packages\\setup.msix"}, 0, "C:\\SETUPP~1\\SETUP~1.MSI"},
      {{"long", "C:\\SETUPP~1\\SETUP~1.MSI"}, 0, "C:\\Setup Packages\\setup.msix"},
      {{"short", "C:\\Setup Packages\\none.msi"},
       1,
       "quorvex-cli: 'C:\\Setup Packages\\none.msi' does not exist (or its short form is longer "
       "than 255 characters)"},
      // GUIDs, and what they are on the machine.
      {{"guid", "pack", "{a1b2c3d4-1111-2222-3333-444455556666}"}, 0, kComponentPacked},
      {{"guid", "unpack", kComponentPacked}, 0, kComponent},
      {{"guid", "identify", kInstalled},
       0,
       "Installed Product - Name Installed App",
       "WINEPREFIX=$guids"},
      {{"guid", "identify", kUnknown},
       1,
       "quorvex-cli: " + kUnknown + " is not known on this machine",
       "WINEPREFIX=$guids"},
      {{"guid", "identify", "A1B2C3D4-1111-2222-3333-444455556666"},
       2,
       "quorvex-cli: 'A1B2C3D4-1111-2222-3333-444455556666' " + standardForm},
      {{"guid", "unpack", kComponent},
       2,
       "quorvex-cli: '" + kComponent + "' is not a packed GUID (32 hexadecimal digits)"},
      // The machine, and a registry export it cannot read: said before anything else.
      {{"machine"}, 0, "kind: built-in Windows 10 profile"},
      {{"machine"}, 0, "kind: Wine prefix $guids", "WINEPREFIX=$guids"},
      {{"machine"},
       1,
       "quorvex-cli: QUORVEX_WINDOWS $dir: not a Windows installation (it holds no "
       "Windows\\System32\\config\\SOFTWARE)",
       "QUORVEX_WINDOWS=$dir"},
      {{"guid", "identify", kUnknown},
       1,
       "quorvex-cli: $dir/lost.reg: no such file",
       "QUORVEX_REGISTRY_IMPORT=$dir/lost.reg"},
      // The installer files of a folder or one file.
      {{"list", "$dir"},
       0,
       "File Name\tType\tApplication\tVersion\tLanguage\tGuid\tDateTime\tSize"},
      {{"list", "--json", "$dir/empty"}, 0, "[]"},
      {{"list", "$dir/none"}, 1, "quorvex-cli: $dir/none is neither a folder nor a file"},
  };
  test::LockingChild holder(m_paths["held"], F_WRLCK);
  ASSERT_TRUE(holder.locked());
  for (const CliCase& c : cases) {
    std::string shown = c.env;
    for (const std::string& arg : c.args) shown += " " + arg;
    SCOPED_TRACE(shown);
    const auto [status, firstLine] = Run(c);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(firstLine, Expand(c.firstLine));
  }
  // The copies read for the held package are gone.
  EXPECT_FALSE(std::filesystem::exists(m_dir.Sub("held.CopyOf.Msi")));
}

}  // namespace
}  // namespace qv
