#include "platform/fs/win32_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "platform/machine/machine.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

std::shared_ptr<Machine> MachineOn(const test::TempDir& dir) {
  auto machine = std::make_shared<Machine>();
  machine->drives['C'] = dir.Sub("drive_c");
  machine->drives['Z'] = "/";
  machine->tempDir = "C:\\users\\ann\\Temp\\";
  return machine;
}

class Win32PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Created in this order, each after the one before on a clock of coarse ticks: the order
    // short names are given out in.
    for (const char* file :
         {"Program Files/Quorvex Converter/setup.msi", "Program Files/Quorvex Converter/setup.msix",
          "Program Files/Quorvex Converter/Read Me First.txt", "Program Files (x86)/x.txt",
          "Program Data/y.txt", "PROGRA~1/z.txt"}) {
      m_dir.Write(std::string("drive_c/") + file, "x");
      usleep(20'000);
    }
    SetCurrentMachine(MachineOn(m_dir));
  }
  void TearDown() override { SetCurrentMachine(nullptr); }

  using PathCall = uint32_t (*)(const std::string&, std::string*, uint32_t);
  // Calls `call` and checks that it returns the length of what it wrote.
  static std::string Ask(PathCall call, const std::string& path, uint32_t size) {
    std::string buffer = "stale";
    const uint32_t length = call(path, &buffer, size);
    EXPECT_EQ(length, buffer.size()) << path;
    return buffer;
  }
  static std::string Short(const std::string& p, uint32_t n = 256) {
    return Ask(GetShortPathNameA, p, n);
  }
  static std::string Long(const std::string& p, uint32_t n = 256) {
    return Ask(GetLongPathNameA, p, n);
  }
  test::TempDir m_dir;
};

TEST_F(Win32PathsTest, CollidingNamesGetShortNamesThatLeadBackMissingOrOversizedOnesNothing) {
  const std::string c = m_dir.Sub("drive_c");
  const std::string setup = "\\Quorvex Converter\\setup.ms";
  // A path, its short form, and the long form of that.
  const std::tuple<std::string, std::string, std::string> cases[] = {
      // A valid 8.3 name is its own short name; the others are numbered in the order their
      // folders were made.
      {"C:\\PROGRA~1", "C:\\PROGRA~1", "C:\\PROGRA~1"},
      {"C:\\Program Data", "C:\\PROGRA~4", "C:\\Program Data"},
      {"C:\\Program Files" + setup + "ix", "C:\\PROGRA~2\\QUORVE~1\\SETUP~1.MSI",
       "C:\\Program Files" + setup + "ix"},
      {"C:\\Program Files" + setup + "i", "C:\\PROGRA~2\\QUORVE~1\\setup.msi",
       "C:\\Program Files" + setup + "i"},
      {"c:\\program files\\quorvex converter\\read me first.txt",
       "c:\\PROGRA~2\\QUORVE~1\\README~1.TXT",
       "c:\\Program Files\\Quorvex Converter\\Read Me First.txt"},
      {"C:\\", "C:\\", "C:\\"},
      // Host paths keep their slashes; "/tmp/qvXXXXXX/drive_c" is made of valid 8.3 names.
      {c + "/Program Files/Quorvex Converter/setup.msix", c + "/PROGRA~2/QUORVE~1/SETUP~1.MSI",
       c + "/Program Files/Quorvex Converter/setup.msix"},
      {"/", "/", "/"},
  };
  for (int instance = 0; instance < 2; ++instance) {  // every instance gives the same names
    for (const auto& [path, shortPath, longPath] : cases) {
      EXPECT_EQ(Short(path), shortPath) << path;
      EXPECT_EQ(Long(shortPath), longPath) << path;
    }
    SetCurrentMachine(MachineOn(m_dir));
  }
  // Missing paths and oversized answers give nothing.
  EXPECT_EQ(Short("C:\\Program Files\\Nothing Here.txt"), "");
  EXPECT_EQ(Short("D:\\setup.msi"), "");
  // A long path of 255 characters fits a buffer of 256; one more character does not.
  std::string name(255 - std::string("C:\\").size(), 'a');
  m_dir.Write("drive_c/" + name, "x");
  EXPECT_EQ(Long("C:\\" + name), "C:\\" + name);
  EXPECT_EQ(Long("C:\\" + name, 255), "");
  // The temp path is created on use.
  std::string buffer;
  EXPECT_EQ(GetTempPathA(261, &buffer), 18u);
  EXPECT_EQ(buffer, "C:\\users\\ann\\Temp\\");
  struct stat st;
  EXPECT_EQ(stat(m_dir.Sub("drive_c/users/ann/Temp").c_str(), &st), 0);
  EXPECT_EQ(GetTempPathA(10, &buffer), 19u);
  EXPECT_EQ(buffer, "");
}

}  // namespace
}  // namespace qv
