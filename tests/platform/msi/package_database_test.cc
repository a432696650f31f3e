#include "platform/msi/package_database.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/msi/engine_installer.h"
#include "platform/msi/idt_export.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv::msi {
namespace {

using test::BuildFixture;
using test::RunCommand;
using test::ShellQuote;
using test::TempDir;

std::shared_ptr<PackageDatabase> OpenOrFail(const std::string& path, int mode = kOpenReadOnly) {
  std::shared_ptr<PackageDatabase> db;
  const Status s = OpenPackageDatabase(path, mode, &db);
  EXPECT_TRUE(s.ok()) << path << ": " << s.ToString();
  return db;
}

std::vector<std::string> MsiinfoTables(const std::string& path) {
  std::vector<std::string> tables;
  std::stringstream ss(RunCommand("msiinfo tables " + ShellQuote(path)));
  std::string line;
  while (std::getline(ss, line)) {
    if (line != "_SummaryInformation" && line != "_ForceCodepage") tables.push_back(line);
  }
  return tables;
}

TEST(PackageDatabaseTest, EveryTableReadsAsMsiinfoExportsIt) {
  TempDir dir;
  if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  for (const std::string& name : test::FixtureNames()) {
    if (name == "patch") continue;  // msiinfo opens packages only
    const std::string path = BuildFixture(dir, name);
    ASSERT_FALSE(path.empty()) << name;
    auto db = OpenOrFail(path);
    ASSERT_TRUE(db) << name;
    const std::vector<std::string> expected = MsiinfoTables(path);
    EXPECT_EQ(db->TableNames(), expected) << name;
    for (const std::string& table : expected) {
      // msiinfo writes binary streams into the current folder: run it in the temp folder.
      const std::string reference =
          RunCommand("cd " + ShellQuote(dir.path()) + " && msiinfo export " + ShellQuote(path) +
                     " " + ShellQuote(table));
      std::string ours;
      ASSERT_TRUE(ExportTableIdt(*db, table, &ours).ok()) << name << " " << table;
      EXPECT_EQ(ours, reference) << name << " " << table;
    }
  }
}

TEST(PackageDatabaseTest, ConvertsTheDatabaseCodepageToUtf8) {
  TempDir dir;
  struct Case {
    const char* fixture;
    int codepage;
    const char* productName;
  } cases[] = {{"basic", 1252, "Caf\xc3\xa9 Cr\xc3\xa8me Installer"},
               {"cyrillic", 1251, "Программа установки"},
               {"japanese", 932, "日本語のインストーラー"}};
  for (const Case& c : cases) {
    QV_FIXTURE_OR_SKIP(path, dir, c.fixture);
    auto db = OpenOrFail(path);
    ASSERT_TRUE(db);
    EXPECT_EQ(db->Strings().Codepage(), c.codepage);
    auto view = db->OpenView("SELECT `Value` FROM `Property` WHERE `Property` = 'ProductName'");
    ASSERT_TRUE(view);
    ASSERT_TRUE(view->Execute());
    auto record = view->Fetch();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->StringData(1), c.productName);
  }
}

TEST(PackageDatabaseTest, ReadsThreeByteReferencesAndLongStrings) {
  TempDir dir;
  QV_FIXTURE_OR_SKIP(wide, dir, "many_strings");
  auto db = OpenOrFail(wide);
  ASSERT_TRUE(db);
  EXPECT_EQ(db->Strings().ReferenceSize(), 3);
  auto view = db->OpenView("SELECT `Number`, `Label` FROM `Wide` WHERE `Key` = 'key069999'");
  ASSERT_TRUE(view && view->Execute());
  auto record = view->Fetch();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->IntegerData(1), 34999);
  EXPECT_EQ(record->StringData(2), "label 489993");

  const std::string longPath = BuildFixture(dir, "long_string");
  auto longDb = OpenOrFail(longPath);
  ASSERT_TRUE(longDb);
  auto longView =
      longDb->OpenView("SELECT `Property`, `Value` FROM `Property` ORDER BY `Property`");
  ASSERT_TRUE(longView && longView->Execute());
  std::vector<std::pair<std::string, size_t>> rows;
  while (auto r = longView->Fetch()) rows.emplace_back(r->StringData(1), r->StringData(2).size());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], std::make_pair(std::string("AfterLong"), size_t{11}));
  EXPECT_EQ(rows[1].first, "LongValue");
  EXPECT_GT(rows[1].second, 65535u);
  EXPECT_EQ(rows[2], std::make_pair(std::string("ZLast"), size_t{4}));
}

TEST(PackageDatabaseTest, ExposesSummaryInformation) {
  TempDir dir;
  QV_FIXTURE_OR_SKIP(path, dir, "basic");
  auto db = OpenOrFail(path);
  ASSERT_TRUE(db);
  EXPECT_EQ(db->Summary().Template(), "Intel;1033");
  EXPECT_EQ(db->Summary().RevisionNumber(), "{0C1F2A3B-4D5E-4F60-8172-93A4B5C6D7E8}");
  EXPECT_EQ(db->Summary().Text(kPidSubject), "Basic Package");
  EXPECT_EQ(db->Summary().Text(kPidAuthor), "Quorvex Tests");
  EXPECT_EQ(db->Summary().Integer(kPidPageCount), 200);
}

TEST(PackageDatabaseTest, OpenModesAndPatchPackages) {
  TempDir dir;
  QV_FIXTURE_OR_SKIP(path, dir, "basic");
  auto readOnly = OpenOrFail(path, kOpenReadOnly);
  ASSERT_TRUE(readOnly);
  EXPECT_EQ(readOnly->DatabaseState(), 0);
  auto transacted = OpenOrFail(path, kOpenTransact);
  ASSERT_TRUE(transacted);
  EXPECT_EQ(transacted->DatabaseState(), 1);
  EXPECT_FALSE(transacted->Commit());

  std::shared_ptr<PackageDatabase> db;
  EXPECT_EQ(OpenPackageDatabase(path, kOpenReadOnly + kOpenPatchFile, &db).message(),
            "not a patch package");
  const std::string patch = BuildFixture(dir, "patch");
  ASSERT_FALSE(patch.empty());
  EXPECT_EQ(OpenPackageDatabase(patch, kOpenReadOnly, &db).message(), "not an installer package");
  auto patchDb = OpenOrFail(patch, kOpenReadOnly + kOpenPatchFile);
  ASSERT_TRUE(patchDb);
  EXPECT_EQ(patchDb->TableNames().size(), readOnly->TableNames().size());
  EXPECT_EQ(OpenPackageDatabase(path, 2, &db).message(), "open mode 2 is not supported");
}

TEST(PackageDatabaseTest, ReadsBinaryStreamsAndPseudoTables) {
  TempDir dir;
  QV_FIXTURE_OR_SKIP(path, dir, "basic");
  auto db = OpenOrFail(path);
  ASSERT_TRUE(db);
  auto view = db->OpenView("SELECT `Name`, `Data` FROM `Binary` WHERE `Name` = ?");
  ASSERT_TRUE(view);
  Record params(1);
  params.SetStringData(1, "Logo");
  ASSERT_TRUE(view->Execute(&params));
  auto record = view->Fetch();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->StreamData(2), std::string("BINARY\x00\x01\x02\xff logo bytes", 21));
  EXPECT_FALSE(view->Fetch());

  auto streams = db->OpenView("SELECT `Name` FROM `_Streams` ORDER BY `Name`");
  ASSERT_TRUE(streams && streams->Execute());
  std::vector<std::string> names;
  while (auto r = streams->Fetch()) names.push_back(r->StringData(1));
  EXPECT_EQ(names,
            (std::vector<std::string>{"\x05SummaryInformation", "Binary.Logo", "Binary.Script"}));
  auto columns = db->OpenView(
      "SELECT `Name`, `Type` FROM `_Columns` WHERE `Table` = 'File' "
      "AND `Number` = 3");
  ASSERT_TRUE(columns && columns->Execute());
  auto column = columns->Fetch();
  ASSERT_TRUE(column);
  EXPECT_EQ(column->StringData(1), "FileName");
  EXPECT_EQ(column->IntegerData(2), 0x0D00 | 0x0200 | 255);
  EXPECT_EQ(db->TablePersistent("File"), 1);
  EXPECT_EQ(db->TablePersistent("Nothing"), 2);
}

TEST(PackageDatabaseTest, MergeModulesHaveNoMediaTable) {
  TempDir dir;
  QV_FIXTURE_OR_SKIP(path, dir, "module");
  auto db = OpenOrFail(path);
  ASSERT_TRUE(db);
  EXPECT_FALSE(db->HasTable("Media"));
  EXPECT_FALSE(db->OpenView("SELECT * FROM `Media`"));
  auto view = db->OpenView("SELECT `ModuleID`, `Language` FROM `ModuleSignature`");
  ASSERT_TRUE(view && view->Execute());
  auto r = view->Fetch();
  ASSERT_TRUE(r);
  EXPECT_EQ(r->StringData(1), "SharedLib.7C8D9E0F_1A2B_4C3D_9E4F_5A6B7C8D9E0F");
  EXPECT_EQ(r->IntegerData(2), 1033);
}

}  // namespace
}  // namespace qv::msi
