#include <gtest/gtest.h>

#include <random>

#include "platform/msi/idt_export.h"
#include "platform/msi/msi_functions.h"
#include "platform/msi/package_database.h"
#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv::msi {
namespace {

// Opens bytes as a package and reads everything a caller could; returns whether it opened.
bool ReadEverything(std::string bytes) {
  std::shared_ptr<PackageDatabase> db;
  if (!PackageDatabase::Open(std::move(bytes), "mem.msi", 0, &db).ok()) return false;
  std::vector<std::string> tables = db->TableNames();
  for (const char* pseudo : {"_Tables", "_Columns", "_Streams", "_Storages"}) {
    tables.push_back(pseudo);
  }
  for (const std::string& t : tables) {
    std::string text;
    (void)ExportTableIdt(*db, t, &text);
    auto view = db->OpenView("SELECT * FROM `" + t + "`");
    if (view && view->Execute()) {
      while (view->Fetch()) {
      }
    }
  }
  auto view = db->OpenView("SELECT * FROM `Component` WHERE `Component` = 'MainExe'");
  if (view && view->Execute()) view->Fetch();
  return true;
}

class HostileInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
    const std::string path = test::BuildFixture(m_dir, "basic");
    ASSERT_FALSE(path.empty());
    m_bytes = test::ReadFile(path);
    ASSERT_FALSE(m_bytes.empty());
  }
  test::TempDir m_dir;
  std::string m_bytes;
};

TEST_F(HostileInputTest, TruncatedPackagesNeverCrash) {
  EXPECT_TRUE(ReadEverything(m_bytes));
  int opened = 0;
  for (size_t size = 0; size < m_bytes.size(); size += 61) {
    opened += ReadEverything(m_bytes.substr(0, size)) ? 1 : 0;
  }
  EXPECT_LT(opened, static_cast<int>(m_bytes.size() / 61));
}

TEST_F(HostileInputTest, MutatedPackagesAndRandomBytesNeverCrash) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 400; ++round) {
    std::string bytes = m_bytes;
    const int flips = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < flips; ++i) {
      bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
    }
    ReadEverything(std::move(bytes));
  }
  // Random bytes are no package.
  std::string noise(8192, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  EXPECT_FALSE(ReadEverything(noise));
  EXPECT_EQ(MsiVerifyPackageA(m_dir.Write("random.msi", noise)), 1620u);
}

}  // namespace
}  // namespace qv::msi
