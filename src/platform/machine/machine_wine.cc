#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

#include "platform/base/ascii_case.h"
#include "platform/host/whole_file.h"
#include "platform/machine/environment_strings.h"
#include "platform/machine/machine_profiles.h"
#include "platform/registry/hive_reader.h"
#include "platform/registry/name_compare.h"
#include "platform/registry/text_hive.h"

namespace qv {
namespace {

using registry::HiveSource;
using registry::TextHive;

// "a/b/../c/./d" as "a/c/d", kept absolute when it was.
std::string LexicallyNormal(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& p : parts) out += "/" + p;
  return out.empty() ? "/" : out;
}

// The drives of dosdevices/: links named "c:", "z:", ... to their host folders.
std::map<char, std::string> ReadDrives(const std::string& dosdevices) {
  namespace fsys = std::filesystem;
  std::map<char, std::string> drives;
  std::error_code ec;
  for (fsys::directory_iterator it(dosdevices, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != 2 || name[1] != ':' || !std::isalpha(static_cast<unsigned char>(name[0]))) {
      continue;
    }
    std::error_code linkError;
    std::string to = fsys::read_symlink(it->path(), linkError).string();
    if (linkError || to.empty()) continue;
    if (to[0] != '/') to = dosdevices + "/" + to;
    drives[AsciiToUpper(name[0])] = LexicallyNormal(to);
  }
  return drives;
}

// The SID in the ";; All keys relative to \\User\\S-..." line of user.reg's header (the lines
// before its first key).
std::string SidOfUserHive(const std::string& path) {
  std::string head;
  if (!host::ReadHostFile(path, 2048, &head, {.headOnly = true}).ok()) return kDefaultUserSid;
  const std::string_view marker = "\\\\User\\\\";
  for (std::string_view rest = head; !rest.empty() && rest[0] != '[';) {
    const std::string_view line = rest.substr(0, rest.find('\n'));
    rest.remove_prefix(std::min(line.size() + 1, rest.size()));
    const size_t at = line.find(marker);
    if (!line.starts_with(";;") || at == std::string_view::npos) continue;
    const std::string_view sid = line.substr(at + marker.size());
    const size_t stop = sid.find_first_of("\r\\ ");
    return stop == 0 ? kDefaultUserSid : std::string(sid.substr(0, stop));
  }
  return kDefaultUserSid;
}

std::string TextValue(const HiveSource& hive, const std::string& key, const std::string& name) {
  registry::Value v;
  if (!hive.ReadValue(key, name, &v)) return "";
  return v.type == registry::kText || v.type == registry::kExpandText ? v.data : "";
}

// A prefix's hives are large and read-only: they are indexed, not parsed whole.
Status LoadHive(const std::string& path, std::shared_ptr<const TextHive>* hive) {
  return registry::LoadHiveFile(path, nullptr, hive);
}

}  // namespace

std::shared_ptr<Machine> LoadWinePrefix(const std::string& prefix, const MachineSettings& settings,
                                        Status* status) {
  struct stat st {};
  if (stat(prefix.c_str(), &st) != 0) {
    *status = Status::NotFound("WINEPREFIX " + prefix + ": no such folder");
    return nullptr;
  }
  if (!S_ISDIR(st.st_mode)) {
    *status = Status::InvalidArgument("WINEPREFIX " + prefix + ": not a folder");
    return nullptr;
  }
  auto machine = std::make_shared<Machine>();
  machine->winePrefix = LexicallyNormal(prefix);
  machine->drives = ReadDrives(machine->winePrefix + "/dosdevices");
  if (machine->drives.count('C') == 0) {
    *status = Status::NotFound("WINEPREFIX " + prefix + ": no drive c: in dosdevices");
    return nullptr;
  }
  std::shared_ptr<const TextHive> system;
  std::shared_ptr<const TextHive> user;
  Status s = LoadHive(machine->winePrefix + "/system.reg", &system);
  if (s.ok()) s = LoadHive(machine->winePrefix + "/user.reg", &user);
  if (!s.ok()) {
    *status = s;
    return nullptr;
  }
  machine->userName = settings.userName;
  machine->userSid = SidOfUserHive(machine->winePrefix + "/user.reg");
  std::string root =
      TextValue(*system, "Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot");
  if (root.empty()) root = "C:\\windows";
  while (root.size() > 3 && root.back() == '\\') root.pop_back();
  machine->windowsDir = root;
  machine->systemDir = root + "\\system32";
  std::string profile = "C:\\users\\" + settings.userName;
  // The %NAME% references Wine's environment knows at start (names folded: upper case).
  Environment vars = {{"USERPROFILE", profile},
                      {"SYSTEMROOT", root},
                      {"WINDIR", root},
                      {"USERNAME", settings.userName},
                      {"ALLUSERSPROFILE", "C:\\ProgramData"},
                      {"PROGRAMDATA", "C:\\ProgramData"},
                      {"SYSTEMDRIVE", "C:"}};
  std::string temp = ExpandEnvironmentText(TextValue(*user, "Environment", "TEMP"), vars);
  if (temp.empty()) temp = profile + "\\Temp";
  if (temp.back() != '\\') temp += '\\';
  machine->tempDir = temp;
  machine->machineHive = std::move(system);
  machine->userHive = std::move(user);
  machine->storeDir = settings.configHome + "/quorvex";
  machine->hiveOrigins = {{"HKLM", machine->winePrefix + "/system.reg"},
                          {"HKCU", machine->winePrefix + "/user.reg"}};
  *status = Status::Ok();
  return machine;
}

}  // namespace qv
