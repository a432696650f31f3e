#include "platform/fs/path_map.h"

#include <gtest/gtest.h>

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
  std::string c = m_dir.Sub("drive_c");
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\", c},
      {"C:\\Program Files\\Quorvex\\app.exe", c + "/Program Files/Quorvex/app.exe"},
      {"C:\\PROGRA~1\\Quorvex\\app.exe", c + "/Program Files/Quorvex/app.exe"},
      {"C:/Windows/System32/MSI.DLL", c + "/Windows/system32/msi.dll"},
      {"C:\\Windows\\.\\Temp\\..\\system32\\", c + "/Windows/system32"},
      {"C:\\windows\\Missing\\New File.txt", c + "/Windows/Missing/New File.txt"},
      {"\\\\?\\C:\\Windows", c + "/Windows"},
      {"Z:\\tmp", "/tmp"},
      {"/any/host/Path", "/any/host/Path"},
      // An exact name wins over one differing in case; otherwise the first in order.
      {"C:\\Data\\README", c + "/Data/README"},
      {"C:\\Data\\readme", c + "/Data/readme"},
      {"C:\\Data\\ReadMe", c + "/Data/README"},
      // Network paths go through the Wine prefix's unc folder.
      {"\\\\SERVER\\share\\Pkgs\\App.msi",
       m_dir.Sub("prefix/dosdevices/unc/server/share/pkgs/app.msi")},
  };
  for (const auto& [windows, host] : cases) EXPECT_EQ(Host(windows), host) << windows;
}

TEST_F(PathMapTest, RejectsPathsItCannotMap) {
  const std::pair<const char*, Status::Code> cases[] = {
      {"D:\\setup.msi", Status::Code::kNotFound},
      {"C:setup.msi", Status::Code::kInvalidArgument},
      {"\\Windows", Status::Code::kInvalidArgument},
      {"\\\\server\\share\\setup.msi", Status::Code::kNotSupported},
      {"\\\\server", Status::Code::kInvalidArgument},
  };
  for (const auto& [path, code] : cases) {
    std::string host;
    EXPECT_EQ(HostPathOf(m_machine, path, &host).code(), code) << path;
  }
}

}  // namespace
}  // namespace qv::fs
