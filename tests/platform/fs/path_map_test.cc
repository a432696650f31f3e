#include "platform/fs/path_map.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace qv::fs {
namespace {

TEST(PathMapTest, MapsWindowsPathsThroughTheDriveTableOrSaysWhyNot) {
  test::TempDir dir;
  dir.Write("drive_c/Program Files/Quorvex/app.exe", "x");
  dir.Write("drive_c/Windows/system32/msi.dll", "x");
  dir.Write("drive_c/Data/readme", "lower");
  dir.Write("drive_c/Data/README", "upper");
  dir.Write("prefix/dosdevices/unc/server/share/pkgs/app.msi", "x");
  Machine machine;
  machine.drives['C'] = dir.Sub("drive_c");
  machine.drives['Z'] = "/";
  // Without a Wine prefix, network paths are not mapped.
  const std::pair<const char*, Status::Code> refused[] = {
      {"D:\\setup.msi", Status::Code::kNotFound},
      {"C:setup.msi", Status::Code::kInvalidArgument},
      {"\\Windows", Status::Code::kInvalidArgument},
      {"\\\\server\\share\\setup.msi", Status::Code::kNotSupported},
      {"\\\\server", Status::Code::kInvalidArgument},
  };
  std::string host;
  for (const auto& [path, code] : refused) {
    EXPECT_EQ(HostPathOf(machine, path, &host).code(), code) << path;
  }
  machine.winePrefix = dir.Sub("prefix");
  const std::string c = dir.Sub("drive_c");
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
       dir.Sub("prefix/dosdevices/unc/server/share/pkgs/app.msi")},
  };
  for (const auto& [windows, expected] : cases) {
    EXPECT_EQ(HostPathOf(machine, windows, &host).ToString(), "OK") << windows;
    EXPECT_EQ(host, expected) << windows;
  }
}

}  // namespace
}  // namespace qv::fs
