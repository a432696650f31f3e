// The machine of a Windows installation on disk: its hive files read in place, its folders and
// its user as that Windows would give them.

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/machine/environment_strings.h"
#include "platform/machine/machine_profiles.h"
#include "platform/machine/windows_profiles.h"
#include "platform/registry/hive_views.h"
#include "platform/registry/name_compare.h"
#include "platform/registry/regf_hive.h"

namespace qv {
namespace {

using registry::HiveSource;
using registry::RegfHive;
using registry::Value;

constexpr const char* kShellFolders = "Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kUserShellFolders =
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kCurrentVersion = "Microsoft\\Windows\\CurrentVersion";
constexpr const char* kSessionEnvironment = "Control\\Session Manager\\Environment";
// Where a profile keeps its classes hive: since Windows Vista, and before.
constexpr const char* kClassesHives[] = {"AppData\\Local\\Microsoft\\Windows\\UsrClass.dat",
                                         "Local Settings\\Application Data\\Microsoft\\Windows\\"
                                         "UsrClass.dat"};

// The entry of a host folder named name: the exact name, else the first without regard to
// case, as Windows finds it; "" when there is none.
std::string FindEntry(const std::string& folder, const std::string& name) {
  const std::string exact = folder + "/" + name;
  struct stat st {};
  if (lstat(exact.c_str(), &st) == 0) return exact;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return "";
  std::string found;
  while (const dirent* entry = readdir(dir)) {
    if (registry::SameName(entry->d_name, name)) {
      found = folder + "/" + entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

// The host path of relative (components separated by '\') below the host folder root, each
// component found as FindEntry finds it; "" when one is missing.
std::string FindBelow(const std::string& root, const std::string& relative) {
  std::string path = root;
  size_t start = 0;
  while (start < relative.size() && !path.empty()) {
    size_t end = relative.find('\\', start);
    if (end == std::string::npos) end = relative.size();
    if (end > start) path = FindEntry(path, relative.substr(start, end - start));
    start = end + 1;
  }
  return path;
}

// The part of a Windows path after "C:\" when it lies on drive C; false otherwise.
bool OnDriveC(const std::string& windowsPath, std::string* rest) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
      (windowsPath[0] != 'C' && windowsPath[0] != 'c')) {
    return false;
  }
  *rest = windowsPath.substr(windowsPath.size() > 2 && windowsPath[2] == '\\' ? 3 : 2);
  return true;
}

std::string WithoutTrailingBackslash(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// A Windows relative path as a host relative path.
std::string HostRelative(std::string relative) {
  std::replace(relative.begin(), relative.end(), '\\', '/');
  return relative;
}

// The same problem in other words.
Status Reworded(const Status& s, std::string message) {
  switch (s.code()) {
    case Status::Code::kNotFound:
      return Status::NotFound(std::move(message));
    case Status::Code::kBusy:
      return Status::Busy(std::move(message));
    case Status::Code::kCorruption:
      return Status::Corruption(std::move(message));
    case Status::Code::kNotSupported:
      return Status::NotSupported(std::move(message));
    default:
      return Status::IOError(std::move(message));
  }
}

std::string FileName(const std::string& path) {
  return path.substr(path.find_last_of('/') + 1);
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

// "SOFTWARE.LOG1 and SOFTWARE.LOG2": the transaction logs beside a hive.
std::string TransactionLogs(const std::string& hivePath) {
  const std::string folder = hivePath.substr(0, hivePath.find_last_of('/'));
  std::vector<std::string> logs;
  for (const char* suffix : {".LOG", ".LOG1", ".LOG2"}) {
    const std::string log = FindEntry(folder, FileName(hivePath) + suffix);
    if (!log.empty()) logs.push_back(FileName(log));
  }
  std::string out;
  for (size_t i = 0; i < logs.size(); ++i) {
    out += (i == 0 ? "" : i + 1 == logs.size() ? " and " : ", ") + logs[i];
  }
  return out;
}

// Opens a hive the machine reads; a hive read around its damage adds a problem.
Status OpenHive(const std::string& path, std::vector<Status>* problems,
                std::shared_ptr<const RegfHive>* hive) {
  Status s = RegfHive::Open(path, hive);
  if (!s.ok()) return s;
  if ((*hive)->header().dirty()) {
    const std::string logs = TransactionLogs(path);
    problems->push_back(Status::Corruption(
        path + ": the hive is dirty (Windows did not finish writing it; " +
        (logs.empty() ? std::string("its transaction logs are missing")
                      : "its last changes are in " + logs + ", which are not replayed here") +
        "): it is read as it is, and its data may be stale"));
  }
  if ((*hive)->recovered()) {
    problems->push_back(Status::Corruption(
        path +
        ": the hive is damaged; it is read with recovery, and keys in its damaged parts "
        "may be missing"));
  }
  return Status::Ok();
}

std::string HiveText(const HiveSource& hive, const std::string& key, const std::string& name) {
  Value v;
  if (!hive.ReadValue(key, name, &v) ||
      (v.type != registry::kText && v.type != registry::kExpandText)) {
    return "";
  }
  return v.data.substr(0, v.data.find('\0'));
}

// Adds each text value of key to env, expanded with what env holds so far.
void AddEnvironment(const HiveSource& hive, const std::string& key, Environment* env) {
  for (const auto& [name, value] : hive.Values(key)) {
    if (value.type != registry::kText && value.type != registry::kExpandText) continue;
    SetVariable(env, name,
                ExpandEnvironmentText(value.data.substr(0, value.data.find('\0')), *env));
  }
}

// The Shell Folders values Windows would derive from User Shell Folders where the hive lacks
// them (the shell writes them only when a program asks): keys relative to base.
registry::Hive MissingShellFolders(const HiveSource& hive, const std::string& base,
                                   const Environment& env) {
  registry::Hive derived;
  const std::string shell = base + kShellFolders;
  for (const auto& [name, value] : hive.Values(base + kUserShellFolders)) {
    if (!value.IsText() || name.empty()) continue;
    Value existing;
    if (hive.ReadValue(shell, name, &existing)) continue;
    const std::string folder =
        ExpandEnvironmentText(value.data.substr(0, value.data.find('\0')), env);
    derived.SetValue(shell, name, Value::Text(WithoutTrailingBackslash(folder)));
  }
  return derived;
}

// The profile the machine is of: the one named user (its folder's name or SID), else the one
// used last among those with a user hive. Sets *hostFolder; a refusal status when none fits.
Status ChooseProfile(const std::vector<WindowsProfileEntry>& profiles, const std::string& user,
                     const std::string& root, WindowsProfileEntry* chosen,
                     std::string* hostFolder) {
  std::vector<std::string> names;
  for (const WindowsProfileEntry& p : profiles) names.push_back(p.Name());
  auto hostOf = [&](const WindowsProfileEntry& p) {
    std::string rest;
    return OnDriveC(p.folder, &rest) ? FindBelow(root, rest) : std::string();
  };
  if (!user.empty()) {
    for (const WindowsProfileEntry& p : profiles) {
      if (!registry::SameName(p.Name(), user) && !registry::SameName(p.sid, user)) continue;
      *chosen = p;
      *hostFolder = hostOf(p);
      if (hostFolder->empty()) {
        return Status::NotFound("QUORVEX_WINDOWS_USER " + user + ": the profile folder " +
                                p.folder + " of " + p.sid + " is not in " + root);
      }
      return Status::Ok();
    }
    return Status::NotFound(
        "QUORVEX_WINDOWS_USER " + user + ": no user profile of that name in " + root +
        (names.empty() ? " (it has none)" : " (profiles: " + JoinNames(names) + ")"));
  }
  int64_t bestTime = -1;
  for (const WindowsProfileEntry& p : profiles) {
    const std::string folder = hostOf(p);
    const std::string hive = folder.empty() ? "" : FindEntry(folder, "NTUSER.DAT");
    if (hive.empty()) continue;  // a profile deleted or never completed
    int64_t used = static_cast<int64_t>(p.lastUsed);
    if (p.lastUsed == 0) {
      // Before Windows 7 the profile list keeps no times: the user hive's own is the last use.
      struct stat st {};
      if (stat(hive.c_str(), &st) == 0) {
        used = (static_cast<int64_t>(st.st_mtime) + 11644473600LL) * 10000000LL;
      }
    }
    if (used > bestTime) {
      bestTime = used;
      *chosen = p;
      *hostFolder = folder;
    }
  }
  if (bestTime < 0) {
    return Status::NotFound("QUORVEX_WINDOWS " + root +
                            ": no user profile with a user hive (NTUSER.DAT) in it" +
                            (names.empty() ? "" : " (profiles: " + JoinNames(names) + ")"));
  }
  return Status::Ok();
}

std::shared_ptr<const HiveSource> Stacked(std::vector<std::shared_ptr<const HiveSource>> layers) {
  return std::make_shared<registry::StackedHive>(std::move(layers));
}

std::shared_ptr<const HiveSource> Mounted(std::shared_ptr<const HiveSource> hive,
                                          const std::string& from, const std::string& at) {
  return std::make_shared<registry::MountedHive>(std::move(hive), from, at);
}

}  // namespace

std::shared_ptr<Machine> LoadWindowsInstallation(const std::string& folder, const std::string& user,
                                                 const MachineSettings& settings, Status* status) {
  std::error_code ec;
  std::string root = std::filesystem::absolute(folder, ec).lexically_normal().string();
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  if (!std::filesystem::exists(root, ec)) {
    *status = Status::NotFound("QUORVEX_WINDOWS " + folder + ": no such folder");
    return nullptr;
  }
  if (!std::filesystem::is_directory(root, ec)) {
    *status = Status::InvalidArgument("QUORVEX_WINDOWS " + folder + ": not a folder");
    return nullptr;
  }
  std::string windowsFolder;
  std::string config;
  for (const char* name : {"Windows", "WINNT"}) {
    windowsFolder = FindEntry(root, name);
    config = windowsFolder.empty() ? "" : FindBelow(windowsFolder, "System32\\config");
    if (!config.empty() && !FindEntry(config, "SOFTWARE").empty()) break;
    config.clear();
  }
  if (config.empty()) {
    *status = Status::NotFound("QUORVEX_WINDOWS " + root +
                               ": not a Windows installation (it holds no "
                               "Windows\\System32\\config\\SOFTWARE)");
    return nullptr;
  }
  auto machine = std::make_shared<Machine>();
  machine->windowsInstallation = root;
  machine->drives['C'] = root;
  machine->drives['Z'] = "/";
  machine->storeDir = settings.configHome + "/quorvex";

  std::shared_ptr<const RegfHive> software;
  std::shared_ptr<const RegfHive> system;
  const std::string softwarePath = FindEntry(config, "SOFTWARE");
  std::string systemPath = FindEntry(config, "SYSTEM");
  if (systemPath.empty()) systemPath = config + "/SYSTEM";
  Status s = OpenHive(softwarePath, &machine->hiveProblems, &software);
  if (s.ok()) s = OpenHive(systemPath, &machine->hiveProblems, &system);
  if (!s.ok()) {
    *status = s;
    return nullptr;
  }

  std::string windowsDir = WithoutTrailingBackslash(
      HiveText(*software, "Microsoft\\Windows NT\\CurrentVersion", "SystemRoot"));
  if (windowsDir.size() < 3 || windowsDir[1] != ':') windowsDir = "C:\\" + FileName(windowsFolder);
  const char systemDrive =
      static_cast<char>(std::toupper(static_cast<unsigned char>(windowsDir[0])));
  machine->drives[systemDrive] = root;  // the installation's own letter, when it is not C:
  machine->windowsDir = windowsDir;
  machine->systemDir = windowsDir + "\\system32";

  Environment env;
  SetVariable(&env, "SystemDrive", std::string(1, systemDrive) + ":");
  SetVariable(&env, "SystemRoot", windowsDir);
  SetVariable(&env, "windir", windowsDir);
  const std::pair<const char*, const char*> programFolders[] = {
      {"ProgramFiles", "ProgramFilesDir"},
      {"ProgramFiles(x86)", "ProgramFilesDir (x86)"},
      {"CommonProgramFiles", "CommonFilesDir"},
      {"CommonProgramFiles(x86)", "CommonFilesDir (x86)"}};
  for (const auto& [variable, value] : programFolders) {
    const std::string text = HiveText(*software, kCurrentVersion, value);
    if (!text.empty()) SetVariable(&env, variable, text);
  }
  std::string programData = ProfileListFolder(*software, "ProgramData", env);
  if (programData.empty()) programData = std::string(1, systemDrive) + ":\\ProgramData";
  SetVariable(&env, "ProgramData", programData);
  SetVariable(&env, "ALLUSERSPROFILE", programData);
  const std::string publicFolder = ProfileListFolder(*software, "Public", env);
  if (!publicFolder.empty()) SetVariable(&env, "PUBLIC", publicFolder);

  // HKLM\SYSTEM\CurrentControlSet is a link Windows makes at start to the set Select\Current
  // names.
  Value current;
  std::string controlSet;
  if (system->ReadValue("Select", "Current", &current) && current.type == registry::kDword) {
    char name[32];
    std::snprintf(name, sizeof name, "ControlSet%03u", static_cast<unsigned>(current.Number()));
    controlSet = name;
  }
  if (controlSet.empty() || !system->KeyExists(controlSet)) {
    machine->hiveProblems.push_back(Status::NotFound(
        systemPath + ": " +
        (controlSet.empty() ? std::string("Select\\Current names no control set")
                            : "Select\\Current names " + controlSet + ", which it does not hold") +
        "; HKLM\\SYSTEM\\CurrentControlSet is left out"));
    controlSet.clear();
  } else {
    AddEnvironment(*system, controlSet + "\\" + kSessionEnvironment, &env);
  }

  WindowsProfileEntry profile;
  std::string profileFolder;
  s = ChooseProfile(ReadUserProfiles(*software, env), user, root, &profile, &profileFolder);
  if (!s.ok()) {
    *status = s;
    return nullptr;
  }
  std::string userPath = FindEntry(profileFolder, "NTUSER.DAT");
  if (userPath.empty()) userPath = profileFolder + "/NTUSER.DAT";
  std::shared_ptr<const RegfHive> ntuser;
  s = OpenHive(userPath, &machine->hiveProblems, &ntuser);
  if (!s.ok()) {
    *status = s;
    return nullptr;
  }
  std::shared_ptr<const RegfHive> classes;
  std::string classesPath;
  for (const char* relative : kClassesHives) {
    classesPath = FindBelow(profileFolder, relative);
    if (!classesPath.empty()) break;
  }
  // Without its classes hive the user still has a machine to look at: the hive is left out.
  const char* withoutClasses = "; HKCU\\Software\\Classes holds only what NTUSER.DAT holds";
  if (classesPath.empty()) {
    machine->hiveProblems.push_back(Status::NotFound(
        profileFolder + "/" + HostRelative(kClassesHives[0]) + ": no such file" + withoutClasses));
  } else {
    Status c = OpenHive(classesPath, &machine->hiveProblems, &classes);
    if (!c.ok()) machine->hiveProblems.push_back(Reworded(c, c.message() + withoutClasses));
  }

  machine->userName = profile.Name();
  machine->userSid = profile.sid;
  SetVariable(&env, "USERPROFILE", profile.folder);
  SetVariable(&env, "USERNAME", machine->userName);
  if (profile.folder.size() > 2 && profile.folder[1] == ':') {
    SetVariable(&env, "HOMEDRIVE", profile.folder.substr(0, 2));
    SetVariable(&env, "HOMEPATH", profile.folder.substr(2));
  }
  SetVariable(&env, "APPDATA", profile.folder + "\\AppData\\Roaming");
  SetVariable(&env, "LOCALAPPDATA", profile.folder + "\\AppData\\Local");
  AddEnvironment(*ntuser, "Environment", &env);
  std::string temp = ExpandEnvironmentText("%TEMP%", env);
  if (temp == "%TEMP%" || temp.empty()) temp = profile.folder + "\\AppData\\Local\\Temp";
  machine->tempDir = WithoutTrailingBackslash(temp) + "\\";

  std::vector<std::shared_ptr<const HiveSource>> machineLayers = {Mounted(software, "", "SOFTWARE"),
                                                                  Mounted(system, "", "SYSTEM")};
  machine->hiveOrigins = {{"HKLM\\SOFTWARE", softwarePath}, {"HKLM\\SYSTEM", systemPath}};
  if (!controlSet.empty()) {
    machineLayers.push_back(Mounted(system, controlSet, "SYSTEM\\CurrentControlSet"));
    machine->hiveOrigins.push_back(
        {"HKLM\\SYSTEM\\CurrentControlSet", systemPath + " (" + controlSet + ")"});
  }
  registry::Hive machineFolders = MissingShellFolders(*software, "", env);
  if (!machineFolders.empty()) {
    machineLayers.push_back(
        Mounted(std::make_shared<const registry::Hive>(std::move(machineFolders)), "", "SOFTWARE"));
  }
  machine->machineHive = Stacked(std::move(machineLayers));

  std::vector<std::shared_ptr<const HiveSource>> userLayers;
  if (classes) userLayers.push_back(Mounted(classes, "", "Software\\Classes"));
  userLayers.push_back(ntuser);
  machine->hiveOrigins.push_back({"HKCU", userPath});
  if (classes) machine->hiveOrigins.push_back({"HKCU\\Software\\Classes", classesPath});
  registry::Hive userFolders = MissingShellFolders(*ntuser, "Software\\", env);
  if (!userFolders.empty()) {
    userLayers.push_back(std::make_shared<const registry::Hive>(std::move(userFolders)));
  }
  machine->userHive = Stacked(std::move(userLayers));
  *status = Status::Ok();
  return machine;
}

}  // namespace qv
