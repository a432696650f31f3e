#include "platform/msi/package_database.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/msi/engine_installer.h"
#include "platform/msi/idt_export.h"
#include "platform/msi/query_rows.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv::msi {
namespace {

using test::RunCommand;
using test::ShellQuote;

class PackageDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
  }
  // Builds the fixture and opens it; null (with a failure recorded) when that fails.
  std::shared_ptr<PackageDatabase> Open(const std::string& fixture, int mode = kOpenReadOnly) {
    m_path = test::BuildFixture(m_dir, fixture);
    std::shared_ptr<PackageDatabase> db;
    const Status s = OpenPackageDatabase(m_path, mode, &db);
    EXPECT_TRUE(s.ok()) << fixture << ": " << s.ToString();
    return db;
  }
  test::TempDir m_dir;
  std::string m_path;
};

// Packages, merge modules, patches and transforms alike: the tables listed and every table
// exported, the summary information and the codepage included, as msiinfo writes them.
TEST_F(PackageDatabaseTest, ReadsEveryKindOfPackageAsMsiinfoDoes) {
  for (const std::string& name : test::FixtureNames()) {
    auto db = Open(name, kOpenAnyKind);
    ASSERT_TRUE(db) << name;
    std::vector<std::string> expected;
    std::stringstream tables(RunCommand("msiinfo tables " + ShellQuote(m_path)));
    for (std::string t; std::getline(tables, t);) expected.push_back(t);
    EXPECT_EQ(ExportableTables(*db), expected) << name;
    for (const std::string& table : expected) {
      // msiinfo writes binary streams into the current folder: run it in the temp folder.
      const std::string reference =
          RunCommand("cd " + ShellQuote(m_dir.path()) + " && msiinfo export " + ShellQuote(m_path) +
                     " " + ShellQuote(table));
      std::string ours;
      ASSERT_TRUE(ExportTableIdt(*db, table, &ours).ok()) << name << " " << table;
      EXPECT_EQ(ours, reference) << name << " " << table;
    }
  }
  // Times are written in local time, as msiinfo writes them: in a zone with daylight saving
  // and at a half-hour offset.
  auto db = Open("wix_product");
  ASSERT_TRUE(db);
  test::ScopedEnv env;
  for (const char* zone : {"America/New_York", "Asia/Kolkata"}) {
    env.Set("TZ", zone);
    tzset();
    std::string ours;
    ASSERT_TRUE(ExportTableIdt(*db, "_SummaryInformation", &ours).ok());
    EXPECT_EQ(ours, RunCommand("msiinfo export " + ShellQuote(m_path) + " _SummaryInformation"))
        << zone;
  }
  env.Set("TZ", std::nullopt);
  tzset();
  // Open modes, patch packages, binary streams and the pseudo tables.
  auto readOnly = Open("basic");
  ASSERT_TRUE(readOnly);
  const std::string path = m_path;
  ASSERT_TRUE(OpenPackageDatabase(path, kOpenTransact, &db).ok());
  EXPECT_EQ(db->DatabaseState(), 1);
  EXPECT_EQ(OpenPackageDatabase(path, kOpenReadOnly + kOpenPatchFile, &db).message(),
            "not a patch package");
  EXPECT_EQ(OpenPackageDatabase(path, 2, &db).message(), "open mode 2 is not supported");
  auto patchDb = Open("patch", kOpenReadOnly + kOpenPatchFile);
  ASSERT_TRUE(patchDb);
  EXPECT_EQ(patchDb->TableNames().size(), readOnly->TableNames().size());
  EXPECT_EQ(OpenPackageDatabase(m_path, kOpenReadOnly, &db).message(), "not an installer package");
  // Reading any kind: packages, patches and transforms, read-only; nothing else.
  EXPECT_TRUE(OpenPackageDatabase(m_path, kOpenAnyKind, &db).ok());
  EXPECT_EQ(db->DatabaseState(), 0);
  EXPECT_EQ(OpenPackageDatabase(m_path, kOpenAnyKind + kOpenTransact, &db).message(),
            "open mode " + std::to_string(kOpenAnyKind + kOpenTransact) + " is not supported");
  const std::string transform = test::BuildFixture(m_dir, "transform");
  ASSERT_TRUE(OpenPackageDatabase(transform, kOpenAnyKind, &db).ok());
  EXPECT_EQ(QueryRows(*db, "SELECT `Value` FROM `Property` WHERE `Property` = 'ProductVersion'"),
            "1.0.1");

  // Binary streams and the pseudo tables.
  auto view = readOnly->OpenView("SELECT `Name`, `Data` FROM `Binary` WHERE `Name` = ?");
  ASSERT_TRUE(view);
  Record params(1);
  params.SetStringData(1, "Logo");
  ASSERT_TRUE(view->Execute(&params));
  auto record = view->Fetch();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->StreamData(2), std::string("BINARY\x00\x01\x02\xff logo bytes", 21));
  EXPECT_FALSE(view->Fetch());

  EXPECT_EQ(QueryRows(*readOnly, "SELECT `Name` FROM `_Streams` ORDER BY `Name`"),
            "\x05SummaryInformation;Binary.Logo;Binary.Script");
  EXPECT_EQ(QueryRows(*readOnly,
                      "SELECT `Name`, `Type` FROM `_Columns` WHERE `Table` = 'File' AND "
                      "`Number` = 3"),
            "FileName|" + std::to_string(0x0D00 | 0x0200 | 255));
  // Persistent, unknown, or (the two stream tables) temporary.
  const std::pair<const char*, int> persistence[] = {{"File", 1}, {"Nothing", 2}, {"_Storages", 0}};
  for (const auto& [table, expected] : persistence) {
    EXPECT_EQ(readOnly->TablePersistent(table), expected) << table;
  }
}

}  // namespace
}  // namespace qv::msi
