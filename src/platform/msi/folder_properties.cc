#include "platform/msi/folder_properties.h"

#include "platform/base/nul_text.h"
#include "platform/msi/directory_resolution.h"
#include "platform/registry/hive_source.h"
#include "platform/registry/thirty_two_bit_view.h"

namespace qv::msi {
namespace {

constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Text of a value of a read-only hive; "" when absent or not text.
std::string HiveText(const registry::HiveSource* hive, const char* key, const char* name) {
  registry::Value value;
  if (!hive || !hive->ReadValue(key, name, &value) || value.tombstone || !value.IsText()) {
    return "";
  }
  return std::string(CutAtNul(value.data));
}

// A folder value as the machine's 32-bit view holds it; "" when the machine has none.
std::string ThirtyTwoBitText(const registry::HiveSource* hive, const char* name) {
  if (!hive) return "";
  const std::string path = registry::ViewPathOf(*hive, kCurrentVersion, name);
  return path == kCurrentVersion ? "" : HiveText(hive, path.c_str(), name);
}

// Shell folder values of the user's hive that become session properties.
struct ShellFolder {
  const char* property;
  const char* valueName;
  bool machineHive;
};

constexpr ShellFolder kShellFolderProperties[] = {
    {"AppDataFolder", "AppData", false},
    {"LocalAppDataFolder", "Local AppData", false},
    {"CommonAppDataFolder", "Common AppData", true},
    {"DesktopFolder", "Desktop", false},
    {"FavoritesFolder", "Favorites", false},
    {"FontsFolder", "Fonts", false},
    {"MyPicturesFolder", "My Pictures", false},
    {"PersonalFolder", "Personal", false},
    {"ProgramMenuFolder", "Programs", false},
    {"SendToFolder", "SendTo", false},
    {"StartMenuFolder", "Start Menu", false},
    {"StartupFolder", "Startup", false},
    {"TemplateFolder", "Templates", false},
    {"AdminToolsFolder", "Administrative Tools", false},
};

}  // namespace

std::map<std::string, std::string> MachineProperties(const Machine& machine) {
  const registry::HiveSource* hklm = machine.machineHive.get();
  const registry::HiveSource* hkcu = machine.userHive.get();
  std::map<std::string, std::string> p;
  const std::string windows = WithTrailingBackslash(machine.windowsDir);
  const std::string volume = windows.substr(0, 3);

  std::string programFiles = HiveText(hklm, kCurrentVersion, "ProgramFilesDir");
  std::string commonFiles = HiveText(hklm, kCurrentVersion, "CommonFilesDir");
  // The 32-bit folders are those the 32-bit view names, as the directory list reads them, so
  // that a key and the folder a session resolves for it agree.
  std::string programFilesX86 = ThirtyTwoBitText(hklm, "ProgramFilesDir");
  std::string commonFilesX86 = ThirtyTwoBitText(hklm, "CommonFilesDir");
  if (programFilesX86.empty()) {
    programFilesX86 = HiveText(hklm, kCurrentVersion, "ProgramFilesDir (x86)");
  }
  if (commonFilesX86.empty()) {
    commonFilesX86 = HiveText(hklm, kCurrentVersion, "CommonFilesDir (x86)");
  }
  if (programFiles.empty()) programFiles = volume + "Program Files";
  if (programFilesX86.empty()) programFilesX86 = programFiles + " (x86)";
  if (commonFiles.empty()) commonFiles = programFiles + "\\Common Files";
  if (commonFilesX86.empty()) commonFilesX86 = programFilesX86 + "\\Common Files";

  p["ProgramFilesFolder"] = WithTrailingBackslash(programFilesX86);
  p["ProgramFiles64Folder"] = WithTrailingBackslash(programFiles);
  p["CommonFilesFolder"] = WithTrailingBackslash(commonFilesX86);
  p["CommonFiles64Folder"] = WithTrailingBackslash(commonFiles);
  // A Wine prefix names its 32-bit system folder in lower case, as Wine creates it.
  p["SystemFolder"] = windows + (machine.winePrefix.empty() ? "SysWOW64\\" : "syswow64\\");
  p["System64Folder"] = WithTrailingBackslash(machine.systemDir);
  p["System16Folder"] = windows + "system\\";
  p["WindowsFolder"] = windows;
  p["WindowsVolume"] = volume;
  p["ROOTDRIVE"] = volume;
  p["TempFolder"] = WithTrailingBackslash(machine.tempDir);
  for (const ShellFolder& folder : kShellFolderProperties) {
    const std::string value =
        HiveText(folder.machineHive ? hklm : hkcu, kShellFolders, folder.valueName);
    if (!value.empty()) p[folder.property] = WithTrailingBackslash(value);
  }

  p["VersionNT"] = "603";
  p["VersionNT64"] = "603";
  p["WindowsBuild"] = "9600";
  p["Msix64"] = "6";
  p["MsiNTProductType"] = "1";
  p["Privileged"] = "1";
  p["LogonUser"] = machine.userName;
  p["UserSID"] = machine.userSid;
  return p;
}

}  // namespace qv::msi
