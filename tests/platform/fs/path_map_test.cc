#include "platform/fs/path_map.h"

#include <gtest/gtest.h>

#include "support/data_rows.h"
#include "support/temp_dir.h"

namespace qv::fs {
namespace {

class PathMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.Write("drive_c/Program Files/Quorvex/app.exe", "x");
    m_dir.Write("drive_c/Windows/system32/msi.dll", "x");
    m_dir.Write("drive_c/Data/readme", "lower");
    m_dir.Write("drive_c/Data/README", "upper");
    m_dir.Write("prefix/dosdevices/unc/server/share/pkgs/app.msi", "x");
    m_machine.drives['C'] = m_dir.Sub("drive_c");
    m_machine.drives['Z'] = "/";
  }
  std::string Host(const std::string& path) {
    std::string host;
    Status status = HostPathOf(m_machine, path, &host);
    EXPECT_TRUE(status.ok()) << path << ": " << status.ToString();
    return host;
  }
  test::TempDir m_dir;
  Machine m_machine;
};

TEST_F(PathMapTest, MapsWindowsPathsThroughTheDriveTable) {
  m_machine.winePrefix = m_dir.Sub("prefix");
  for (const test::DataRow& row : test::DataRows("fs/paths.txt", "Map")) {
    EXPECT_EQ(Host(row[0]), row[1][0] == '/' ? row[1] : m_dir.Sub(row[1])) << row[0];
  }
}

TEST_F(PathMapTest, RejectsPathsItCannotMap) {
  for (const test::DataRow& row : test::DataRows("fs/paths.txt", "Reject")) {
    std::string host;
    const std::string outcome = HostPathOf(m_machine, row[0], &host).ToString();
    EXPECT_EQ(outcome.substr(0, outcome.find(':')), row[1]) << row[0];
  }
}

}  // namespace
}  // namespace qv::fs
