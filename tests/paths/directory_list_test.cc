#include "paths/directory_list.h"

#include <functional>
#include <map>
#include <tuple>

#include "msidb/database_open.h"
#include "paths/file_keys.h"
#include "paths/package_test_base.h"
#include "records/named_lists.h"
#include "records/record_list.h"
#include "records/record_text.h"
#include "services/text_compare.h"

namespace qv {
namespace {

struct Entry {
  std::string keys;
  std::string kind;
  bool filler;
};

class DirectoryListTest : public test::PackageTest {
 protected:
  static std::vector<std::string> Items() {
    std::vector<std::string> items;
    for (int32_t i = 0; i < ListCount(kDirectoryList); ++i)
      items.push_back(ListGetItem(kDirectoryList, i));
    return items;
  }
  std::map<std::string, Entry> Entries() {
    std::map<std::string, Entry> entries;
    for (const std::string& record : Items()) {
      Entry& e = entries[GetFld(record, "|1=")];
      EXPECT_TRUE(e.keys.empty()) << "path listed twice: " << GetFld(record, "|1=");
      e = {GetFld(record, "|2="), GetFld(record, "|3="),
           record.find("|filler=" + std::string(100, ' ')) != std::string::npos};
    }
    return entries;
  }
};

TEST_F(DirectoryListTest, ListsEachPathOnceWithMergedKeysInTheirOrder) {
  QV_FIXTURE_OR_SKIP(package, dir, "session");
  // Opened as the record tab opens it.
  ASSERT_EQ(OpenMsiDbVb(package, OpenDb().oDatabase, {.GenSession = true, .bStandardMsi = true}),
            "");
  ResolveDirectoryTable(OpenDb().oDatabase, package, 0);
  std::map<std::string, Entry> entries = Entries();
  const std::map<std::string, Entry> expected = {
      // In table order (DocDir, INSTALLDIR, Docs.Copy): plain keys go in front, keys with a
      // "." at the end.
      {test::kProductHome, {"DocDir;INSTALLDIR;Docs.Copy", "1", false}},
      {test::kProductHome + "bin\\", {"BinDir", "1", true}},
      {"C:\\", {"TARGETDIR;SelfRoot;WindowsVolume", "1", false}},
      // The program-files values come from the machine's 32-bit view, as the session's
      // ProgramFilesFolder does: the key's two entries are one.
      {"C:\\Program Files (x86)\\", {"ProgramFilesFolder", "1", false}},
      {"C:\\Program Files\\", {"ProgramFiles64Folder", "1", true}},
      {"C:\\Program Files (x86)64\\", {"ProgramFiles64Folder", "0", true}},
      {"D:\\Data\\", {"DATADIR", "1", true}},
  };
  for (const auto& [path, e] : expected) {
    ASSERT_TRUE(entries.count(path)) << path;
    const Entry& got = entries[path];
    EXPECT_EQ(std::tie(got.keys, got.kind, got.filler), std::tie(e.keys, e.kind, e.filler)) << path;
  }
  // Sorted by path part by part, so that a path is found by binary search.
  for (int32_t i = 0; i + 1 < ListCount(kDirectoryList); ++i) {
    EXPECT_LE(CompareKeys(ListGetItemField(kDirectoryList, i, "|1="),
                          ListGetItemField(kDirectoryList, i + 1, "|1="), "\\", 0),
              0);
  }

  // A second call for the open package changes nothing.
  const std::vector<std::string> before = Items();
  ResolveDirectoryTable(OpenDb().oDatabase, package, 0);
  EXPECT_EQ(Items(), before);
  EXPECT_TRUE(ui->messages.empty());
  // Unknown keys fall back to the Windows volume.
  EXPECT_EQ(DirectoryTargetPath("NoSuchKey"), "C:\\");
  EXPECT_EQ(DirectoryTargetPath("sourcedir"), OpenDb().szSourceDir);
  EXPECT_FALSE(ErrorPending());
}

TEST_F(DirectoryListTest, AMissingDatabaseIsReportedAsEveryQueryReportsIt) {
  const struct {
    const char* what;
    std::function<void()> query;
    std::string location;
  } cases[] = {
      {"directory list", [] { ResolveDirectoryTable(nullptr, "", 0); },
       "CheckErrorTrans Common_MsiFunctions - Line no  618"},
      {"component key", [] { EXPECT_EQ(ResolveComponentKey(nullptr, "DocComp"), ""); },
       "CheckErrorTrans Common - Line no  6853"},
  };
  for (const auto& c : cases) {
    ui->messages.clear();
    c.query();
    ASSERT_FALSE(ui->messages.empty()) << c.what;
    EXPECT_EQ(ui->messages.back().title, "Msi Access Error") << c.what;
    EXPECT_EQ(ui->messages.back().text.rfind(c.location, 0), 0u) << ui->messages.back().text;
    EXPECT_NE(ui->messages.back().text.find("Err Number= 91"), std::string::npos) << c.what;
  }
}

}  // namespace
}  // namespace qv
