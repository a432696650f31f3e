#include "platform/msi/folder_properties.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/test_machine.h"

namespace qv::msi {
namespace {

using test::HiveOf;

TEST(FolderPropertiesTest, ComeFromTheMachinesRegistryOrItsWindowsVolume) {
  Machine bare;  // no registry values: everything follows from the Windows folder
  bare.windowsDir = "D:\\Win";
  bare.systemDir = "D:\\Win\\system32";
  bare.tempDir = "D:\\Temp";
  bare.machineHive = HiveOf("");
  bare.userHive = HiveOf("");
  Machine wine = bare;  // a Wine prefix with folders of its own
  wine.winePrefix = "/home/ann/.wine";
  wine.machineHive = HiveOf(
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 0\n\"ProgramFilesDir\"=\"E:\\\\P64\"\n"
      "\"CommonFilesDir (x86)\"=\"E:\\\\C32\"\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 0\n"
      "\"Common AppData\"=\"E:\\\\Data\"\n\"AppData\"=\"E:\\\\Not the user's\"\n");
  wine.userHive = HiveOf(
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 0\n"
      "\"AppData\"=str(2):\"E:\\\\Roaming\\0\"\n");
  // property, on the bare machine, on the Wine prefix ("-" absent)
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"ProgramFilesFolder", "D:\\Program Files (x86)\\", "E:\\P64 (x86)\\"},
      {"ProgramFiles64Folder", "D:\\Program Files\\", "E:\\P64\\"},
      {"CommonFilesFolder", "D:\\Program Files (x86)\\Common Files\\", "E:\\C32\\"},
      {"CommonFiles64Folder", "D:\\Program Files\\Common Files\\", "E:\\P64\\Common Files\\"},
      {"SystemFolder", "D:\\Win\\SysWOW64\\", "D:\\Win\\syswow64\\"},
      {"System64Folder", "D:\\Win\\system32\\", "D:\\Win\\system32\\"},
      {"ROOTDRIVE", "D:\\", "D:\\"},
      {"TempFolder", "D:\\Temp\\", "D:\\Temp\\"},
      {"AppDataFolder", "-", "E:\\Roaming\\"},
      {"CommonAppDataFolder", "-", "E:\\Data\\"},
  };
  const auto get = [](const std::map<std::string, std::string>& p, const char* name) {
    return p.count(name) ? p.at(name) : "-";
  };
  for (const auto& [name, onBare, onWine] : cases) {
    EXPECT_EQ(get(MachineProperties(bare), name), onBare) << name;
    EXPECT_EQ(get(MachineProperties(wine), name), onWine) << name;
  }
  // A session's 32-bit folders are the ones the machine's 32-bit view names, as the directory
  // list reads them; other folders stay native.
  Machine machine;
  machine.windowsDir = "C:\\Windows";
  machine.systemDir = "C:\\Windows\\system32";
  machine.userHive = HiveOf("");
  machine.machineHive = HiveOf(
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 0\n"
      "\"ProgramFilesDir\"=\"C:\\\\Native\"\n\"ProgramFilesDir (x86)\"=\"C:\\\\Not used\"\n"
      "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion] 0\n"
      "\"ProgramFilesDir\"=\"C:\\\\Apps32\"\n");
  const auto p = MachineProperties(machine);
  EXPECT_EQ(p.at("ProgramFilesFolder"), "C:\\Apps32\\");
  EXPECT_EQ(p.at("ProgramFiles64Folder"), "C:\\Native\\");
}

}  // namespace
}  // namespace qv::msi
