#include "paths/formatted_records.h"

#include "paths/package_test_base.h"
#include "records/named_lists.h"
#include "records/record_list.h"

namespace qv {
namespace {

using test::kProductHome;

struct Case {
  std::string text;
  std::string expected;
};

class FormattedRecordsTest : public test::PackageTest {};

TEST_F(FormattedRecordsTest, KeysBecomePathsAndValues) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  const std::string mainExe = kProductHome + "bin\\main program.exe";
  const std::string helper = kProductHome + "bin\\helper.dll";
  const Case cases[] = {
      {"[#MainExe]", mainExe},
      {"x[#MainExe][#HelperDll]y", "x" + mainExe + helper + "y"},
      {"[$DocComp]", kProductHome.substr(0, kProductHome.size() - 1)},
      {"[ProductName] [INSTALLDIR]", "Session Sample " + kProductHome},
      {"[TARGETDIR][BinDir]", "C:\\" + kProductHome + "bin\\"},
      {"[#Nope] [!Nope] [$Nope] [Nope]", "[#Nope] [!Nope] [$Nope] Nope"},
      {"[] [#] [unclosed", "[] [#] [unclosed"},
      // Drive C holds "Program Files (x86)" as Windows does; what is not installed is named
      // as it would be.
      {"[!Readme]", "C:\\PROGRA~2\\QUORVE~1\\PRODUC~1\\README~1.TXT"},
  };
  for (const Case& c : cases) EXPECT_EQ(Decode(package, c.text), c.expected) << c.text;
  EXPECT_TRUE(ui->messages.empty());
  EXPECT_EQ(OpenDb().oDatabase, nullptr);
}

TEST_F(FormattedRecordsTest, PathsBecomeKeys) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  // Text without paths is kept and opens nothing.
  for (const std::string text : {"no paths here", ":colon first\\x", ""}) {
    EXPECT_EQ(EncodeRecord(package, text), text);
  }
  EXPECT_TRUE(installer->openedPaths.empty());
  const Case cases[] = {
      {kProductHome + "bin\\main program.exe", "[#MainExe]"},
      {"\"" + kProductHome + "bin\\main program.exe\" /x", "\"[#MainExe]\" /x"},
      {kProductHome + "bin\\helper.dll;" + kProductHome + "Read Me First.txt",
       "[#HelperDll];[#Readme]"},
      {kProductHome + "bin\\", "[BinDir]"},
      {kProductHome + "bin", "[DocDir]bin"},  // without its '\' a folder is a name in its parent
      // The first key of a folder that several keys share.
      {kProductHome + "sub\\x.txt", "[DocDir]sub\\x.txt"},
      {kProductHome + "zzz\\y.txt", "[DocDir]zzz\\y.txt"},
      {"C:\\Program Files (x86)\\Quorvex Vendor\\Other\\f.txt", "[Vendor]Other\\f.txt"},
      // Files of conditioned components are left out: their folder stands for them.
      {"C:\\Users\\tester\\AppData\\Roaming\\Quorvex\\settings.ini", "[CompanyData]settings.ini"},
      {"Q:\\nowhere\\x.txt", "Q:\\nowhere\\x.txt"},
      // Network paths are looked for too; one that is not the package's stays as it is.
      {"\\\\other\\share\\a.txt " + kProductHome + "bin\\helper.dll",
       "\\\\other\\share\\a.txt [#HelperDll]"},
      {kProductHome + "bin\\helper.dll \\\\srv\\share\\b.txt " + kProductHome + "Read Me First.txt",
       "[#HelperDll] [ShareDir]b.txt [#Readme]"},
      {"C:\\Windows\\system32\\cmd.exe", "[SystemFolder]cmd.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeRecord(package, c.text), c.expected) << c.text;
  // The lists were built once and kept for the package.
  EXPECT_EQ(installer->openedPaths.size(), 1u);
  EXPECT_GT(ListCount(kFileList), 0);
}

// Tables a package lacks are not queried, so nothing is reported for them.
TEST_F(FormattedRecordsTest, APackageWithoutFilesOrComponentsEncodesItsFolders) {
  QV_FIXTURE_OR_SKIP(package, dir, "cyrillic");
  EXPECT_EQ(EncodeRecord(package, "C:\\Программа\\Документы\\x.txt"), "[Документы]x.txt");
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(FormattedRecordsTest, BarsAndQuotesInKeysAndFoldersCannotAddFields) {
  QV_FIXTURE_OR_SKIP(package, dir, "hostile");
  const std::string evil = "C:\\Program Files (x86)\\ev|il|x\\";
  const std::string inner = evil + "in\"ner\\";
  const Case decoded[] = {
      {"[#F|2=k]", evil + "evil.txt"},
      {"[EvilDir]", evil},
      {"[EVIL|3=0]", inner},
      {"[#\"q|1=x]", inner + "inner.txt"},
  };
  for (const Case& c : decoded) EXPECT_EQ(Decode(package, c.text), c.expected) << c.text;
  // Paths holding a "|" are written in quotes, as every path with blanks is.
  const Case encoded[] = {
      {"\"" + evil + "evil.txt\"", "\"[#F|2=k]\""},
      {"\"" + evil + "other.txt\" /x", "\"[EvilDir]other.txt\" /x"},
  };
  for (const Case& c : encoded) EXPECT_EQ(EncodeRecord(package, c.text), c.expected) << c.text;
  EXPECT_TRUE(ui->messages.empty());
}

}  // namespace
}  // namespace qv
