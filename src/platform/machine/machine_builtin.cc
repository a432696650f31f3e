#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/machine/builtin_drive_c.h"
#include "platform/machine/machine_profiles.h"

namespace qv {
namespace {

using registry::Hive;
using registry::Value;

constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kCurrentVersion32 =
    "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  if (const passwd* pw = getpwuid(getuid())) return pw->pw_dir;
  return "/";
}

}  // namespace

MachineSettings MachineSettingsFromEnvironment() {
  MachineSettings settings;
  std::string home = HomeFolder();
  settings.dataHome = EnvOr("XDG_DATA_HOME", home + "/.local/share");
  settings.configHome = EnvOr("XDG_CONFIG_HOME", home + "/.config");
  std::string account = "user";
  if (const passwd* pw = getpwuid(getuid())) account = pw->pw_name;
  settings.userName = EnvOr("USER", account);
  return settings;
}

Hive BuiltinMachineHive() {
  Hive hive;
  auto text = [&](const std::string& key, const std::string& name, const std::string& value) {
    hive.SetValue(key, name, Value::Text(value));
  };
  text(kCurrentVersion, "ProgramFilesDir", "C:\\Program Files");
  text(kCurrentVersion, "ProgramFilesDir (x86)", "C:\\Program Files (x86)");
  text(kCurrentVersion, "ProgramW6432Dir", "C:\\Program Files");
  text(kCurrentVersion, "CommonFilesDir", "C:\\Program Files\\Common Files");
  text(kCurrentVersion, "CommonFilesDir (x86)", "C:\\Program Files (x86)\\Common Files");
  text(kCurrentVersion, "CommonW6432Dir", "C:\\Program Files\\Common Files");
  // The 32-bit view: what a 32-bit program reads under Software on a 64-bit Windows.
  text(kCurrentVersion32, "ProgramFilesDir", "C:\\Program Files (x86)");
  text(kCurrentVersion32, "ProgramFilesDir (x86)", "C:\\Program Files (x86)");
  text(kCurrentVersion32, "ProgramW6432Dir", "C:\\Program Files");
  text(kCurrentVersion32, "CommonFilesDir", "C:\\Program Files (x86)\\Common Files");
  text(kCurrentVersion32, "CommonFilesDir (x86)", "C:\\Program Files (x86)\\Common Files");
  text(kCurrentVersion32, "CommonW6432Dir", "C:\\Program Files\\Common Files");
  const std::string nt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
  text(nt, "SystemRoot", "C:\\Windows");
  text(nt, "ProductName", "Windows 10 Pro");
  text(nt, "CurrentVersion", "6.3");
  text(nt, "CurrentBuildNumber", "19045");
  hive.SetValue(nt, "CurrentMajorVersionNumber", Value::Dword(10));
  hive.SetValue(nt, "CurrentMinorVersionNumber", Value::Dword(0));
  const std::string menu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu";
  text(kShellFolders, "Common AppData", "C:\\ProgramData");
  text(kShellFolders, "Common Desktop", "C:\\Users\\Public\\Desktop");
  text(kShellFolders, "Common Documents", "C:\\Users\\Public\\Documents");
  text(kShellFolders, "Common Programs", menu + "\\Programs");
  text(kShellFolders, "Common Start Menu", menu);
  text(kShellFolders, "Common Startup", menu + "\\Programs\\Startup");
  text(kShellFolders, "Common Templates", "C:\\ProgramData\\Microsoft\\Windows\\Templates");
  text(kShellFolders, "Common Administrative Tools", menu + "\\Programs\\Administrative Tools");
  const std::string env = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
  hive.SetValue(env, "TEMP", Value::Text("%SystemRoot%\\TEMP", registry::kExpandText));
  hive.SetValue(env, "windir", Value::Text("%SystemRoot%", registry::kExpandText));
  hive.CreateKey("Software\\Classes");
  return hive;
}

Hive BuiltinUserHive(const std::string& userName) {
  Hive hive;
  const std::string profile = "C:\\Users\\" + userName;
  const std::string roaming = profile + "\\AppData\\Roaming";
  const std::string menu = roaming + "\\Microsoft\\Windows\\Start Menu";
  auto folder = [&](const std::string& name, const std::string& value) {
    hive.SetValue(kShellFolders, name, Value::Text(value));
  };
  folder("AppData", roaming);
  folder("Local AppData", profile + "\\AppData\\Local");
  folder("Desktop", profile + "\\Desktop");
  folder("Favorites", profile + "\\Favorites");
  folder("Fonts", "C:\\Windows\\Fonts");
  folder("My Pictures", profile + "\\Pictures");
  folder("Personal", profile + "\\Documents");
  folder("Programs", menu + "\\Programs");
  folder("SendTo", roaming + "\\Microsoft\\Windows\\SendTo");
  folder("Start Menu", menu);
  folder("Startup", menu + "\\Programs\\Startup");
  folder("Templates", roaming + "\\Microsoft\\Windows\\Templates");
  folder("Administrative Tools", menu + "\\Programs\\Administrative Tools");
  const std::string expanded = "%USERPROFILE%\\AppData\\Local\\Temp";
  hive.SetValue("Environment", "TEMP", Value::Text(expanded, registry::kExpandText));
  hive.SetValue("Environment", "TMP", Value::Text(expanded, registry::kExpandText));
  hive.SetValue("Volatile Environment", "USERPROFILE", Value::Text(profile));
  hive.SetValue("Volatile Environment", "USERNAME", Value::Text(userName));
  hive.CreateKey("Software\\Classes");
  return hive;
}

std::shared_ptr<Machine> BuildBuiltinMachine(const MachineSettings& settings, Status* status) {
  auto machine = std::make_shared<Machine>();
  std::string driveC = settings.dataHome + "/quorvex/drive_c";
  machine->drives['C'] = driveC;
  machine->drives['Z'] = "/";
  machine->windowsDir = "C:\\Windows";
  machine->systemDir = "C:\\Windows\\system32";
  machine->userName = settings.userName;
  machine->userSid = kDefaultUserSid;
  machine->tempDir = "C:\\Users\\" + settings.userName + "\\AppData\\Local\\Temp\\";
  machine->machineHive = std::make_shared<const Hive>(BuiltinMachineHive());
  machine->userHive = std::make_shared<const Hive>(BuiltinUserHive(settings.userName));
  machine->storeDir = settings.configHome + "/quorvex";
  machine->hiveOrigins = {{"HKLM", "built-in"}, {"HKCU", "built-in"}};
  *status = CreateFoldersInOrder(driveC, BuiltinDriveCFolders(settings.userName));
  return machine;
}

}  // namespace qv
