#include "platform/machine/machine.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <mutex>

#include "platform/machine/machine_imports.h"
#include "platform/machine/machine_profiles.h"

namespace qv {
namespace {

std::mutex g_mutex;
std::shared_ptr<const Machine> g_machine;

// "/a//b/" as "/a/b"; relative paths are taken from the working folder.
std::string NormalizeHostPath(const std::string& path) {
  std::string absolute = path;
  if (absolute.empty() || absolute[0] != '/') {
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) != nullptr) absolute = std::string(cwd) + "/" + absolute;
  }
  std::string out;
  for (char c : absolute) {
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out += c;
  }
  if (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

uint32_t CopyFolder(const std::string& folder, std::string* buffer, uint32_t size) {
  uint32_t length = static_cast<uint32_t>(folder.size());
  if (size <= length) return length + 1;
  *buffer = folder;
  return length;
}

}  // namespace

std::shared_ptr<const Machine> CurrentMachinePtr() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_machine) {
    Status status;
    g_machine = LoadMachineFromEnvironment(&status);
  }
  return g_machine;
}

const Machine& CurrentMachine() {
  return *CurrentMachinePtr();
}

void SetCurrentMachine(std::shared_ptr<const Machine> machine) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_machine = std::move(machine);
}

std::shared_ptr<const Machine> LoadMachineFromEnvironment(Status* status) {
  MachineSettings settings = MachineSettingsFromEnvironment();
  Status local;
  Status* s = status != nullptr ? status : &local;
  *s = Status::Ok();
  std::shared_ptr<Machine> machine;
  const char* windows = std::getenv("QUORVEX_WINDOWS");
  const char* prefix = std::getenv("WINEPREFIX");
  if (windows != nullptr && *windows != '\0') {
    const char* user = std::getenv("QUORVEX_WINDOWS_USER");
    machine = LoadWindowsInstallation(windows, user != nullptr ? user : "", settings, s);
  } else if (prefix != nullptr && *prefix != '\0') {
    machine = LoadWinePrefix(prefix, settings, s);
  }
  if (!machine) {
    Status built;
    machine = BuildBuiltinMachine(settings, &built);
    if (s->ok()) *s = built;  // else *s keeps the prefix's problem
  }
  const char* imports = std::getenv("QUORVEX_REGISTRY_IMPORT");
  if (imports != nullptr) ApplyRegistryImports(imports, machine.get());
  return machine;
}

std::vector<Status> MachineProblems(const Machine& machine) {
  std::vector<Status> all = machine.hiveProblems;
  all.insert(all.end(), machine.importProblems.begin(), machine.importProblems.end());
  return all;
}

std::string MachineKindText(const Machine& machine) {
  if (!machine.windowsInstallation.empty()) {
    return "Windows installation " + machine.windowsInstallation;
  }
  if (!machine.winePrefix.empty()) return "Wine prefix " + machine.winePrefix;
  return "built-in Windows 10 profile";
}

std::string WindowsFormOfHostPath(const Machine& machine, const std::string& hostPath) {
  std::string path = NormalizeHostPath(hostPath);
  char bestDrive = 0;
  size_t bestLength = 0;
  std::string rest;
  for (const auto& [letter, folder] : machine.drives) {
    std::string root = folder == "/" ? "" : folder;
    bool match = path == root || path.compare(0, root.size() + 1, root + "/") == 0;
    if (!match) continue;
    if (bestDrive == 0 || root.size() > bestLength) {
      bestDrive = letter;
      bestLength = root.size();
      rest = path.size() > root.size() + 1 ? path.substr(root.size() + 1) : "";
    }
  }
  std::string out;
  if (bestDrive == 0) {
    out = "\\\\?\\unix" + path;  // what Wine answers for a path outside every drive
  } else {
    out = std::string(1, bestDrive) + ":\\" + rest;
  }
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

uint32_t GetWindowsDirectoryA(std::string* buffer, uint32_t size) {
  return CopyFolder(CurrentMachine().windowsDir, buffer, size);
}

uint32_t GetSystemDirectoryA(std::string* buffer, uint32_t size) {
  return CopyFolder(CurrentMachine().systemDir, buffer, size);
}

uint32_t GetModuleFileNameA(std::string* buffer, uint32_t size) {
  char target[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", target, sizeof target - 1);
  if (n <= 0 || size == 0) {
    buffer->clear();
    return 0;
  }
  std::string path = WindowsFormOfHostPath(CurrentMachine(), std::string(target, n));
  if (path.size() > size - 1) path.resize(size - 1);
  *buffer = path;
  return static_cast<uint32_t>(path.size());
}

}  // namespace qv
