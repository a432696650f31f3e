#include "platform/machine/machine_imports.h"

#include <memory>
#include <vector>

#include "platform/registry/hive_reader.h"
#include "platform/registry/hive_views.h"
#include "platform/registry/name_compare.h"

namespace qv {
namespace {

using registry::HiveSource;
using registry::MountedHive;
using Layers = std::vector<std::shared_ptr<const HiveSource>>;

// The layers one file adds to the machine, user and users hives.
struct FileLayers {
  Layers machine;
  Layers user;
  Layers users;
  std::vector<std::string> keys;  // the parts of the registry the file adds to
};

bool IsRoot(const std::string& name, const char* shortName, const char* longName) {
  return registry::SameName(name, shortName) || registry::SameName(name, longName);
}

std::shared_ptr<const HiveSource> Mount(const std::shared_ptr<const registry::TextHive>& file,
                                        const std::string& from, const std::string& at) {
  return std::make_shared<MountedHive>(file, from, at);
}

// A regedit export holds full paths: each root goes where Windows keeps its keys.
void PlaceExport(const std::string& path, const std::shared_ptr<const registry::TextHive>& file,
                 const std::string& userSid, FileLayers* layers, std::vector<Status>* problems) {
  for (const std::string& root : file->SubkeyNames("")) {
    if (IsRoot(root, "HKLM", "HKEY_LOCAL_MACHINE")) {
      layers->machine.push_back(Mount(file, root, ""));
      layers->keys.push_back("HKLM");
    } else if (IsRoot(root, "HKCR", "HKEY_CLASSES_ROOT")) {
      layers->machine.push_back(Mount(file, root, "Software\\Classes"));
      layers->keys.push_back("HKLM\\Software\\Classes");
    } else if (IsRoot(root, "HKCU", "HKEY_CURRENT_USER")) {
      layers->user.push_back(Mount(file, root, ""));
      layers->keys.push_back("HKCU");
    } else if (IsRoot(root, "HKU", "HKEY_USERS")) {
      for (const std::string& sid : file->SubkeyNames(root)) {
        if (registry::SameName(sid, userSid)) {
          layers->user.push_back(Mount(file, root + "\\" + sid, ""));
          layers->keys.push_back("HKCU");
        } else if (registry::SameName(sid, userSid + "_Classes")) {
          layers->user.push_back(Mount(file, root + "\\" + sid, "Software\\Classes"));
          layers->keys.push_back("HKCU\\Software\\Classes");
        }
      }
      layers->users.push_back(Mount(file, root, ""));
      layers->keys.push_back("HKU");
    } else {
      problems->push_back(Status::NotSupported(path + ": keys under " + root + " are not used"));
    }
  }
}

// A Wine registry file names its root in its header.
void PlaceWineFile(const std::string& path, const std::shared_ptr<const registry::TextHive>& file,
                   const std::string& userSid, FileLayers* layers, std::vector<Status>* problems) {
  const std::string root = file->relativeTo();
  const std::string userPrefix = "\\User\\";
  if (registry::SameName(root, "\\Machine")) {
    layers->machine.push_back(file);
    layers->keys.push_back("HKLM");
  } else if (root.size() > userPrefix.size() &&
             registry::SameName(root.substr(0, userPrefix.size()), userPrefix)) {
    const std::string sid = root.substr(userPrefix.size());
    if (registry::SameName(sid, userSid)) {
      layers->user.push_back(file);
      layers->keys.push_back("HKCU");
    } else {
      layers->users.push_back(Mount(file, "", sid));
      layers->keys.push_back("HKU\\" + sid);
    }
  } else {
    problems->push_back(Status::NotSupported(
        path + ": a Wine registry file whose header names neither \\Machine nor \\User\\<SID>"));
  }
}

std::shared_ptr<const HiveSource> Stacked(Layers layers, std::shared_ptr<const HiveSource> base) {
  if (layers.empty()) return base;
  if (base) layers.push_back(std::move(base));
  return std::make_shared<registry::StackedHive>(std::move(layers));
}

}  // namespace

void ApplyRegistryImports(const std::string& list, Machine* machine) {
  FileLayers all;
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t stop = list.find(':', start);
    if (stop == std::string::npos) stop = list.size();
    const std::string path = list.substr(start, stop - start);
    start = stop + 1;
    if (path.empty()) continue;
    std::size_t skipped = 0;
    Status firstSkipped;
    std::shared_ptr<const registry::TextHive> file;
    Status s = registry::LoadHiveFile(
        path,
        [&](const Status& problem) {
          if (skipped++ == 0) firstSkipped = problem;
        },
        &file);
    if (!s.ok()) {
      machine->importProblems.push_back(s);
      continue;
    }
    if (skipped > 0) {
      machine->importProblems.push_back(
          Status::Corruption(path + ": " + std::to_string(skipped) +
                             " line(s) skipped, the first: " + firstSkipped.message()));
    }
    FileLayers layers;
    if (file->format() == registry::HiveFormat::kWine) {
      PlaceWineFile(path, file, machine->userSid, &layers, &machine->importProblems);
    } else {
      PlaceExport(path, file, machine->userSid, &layers, &machine->importProblems);
    }
    for (auto& layer : layers.machine) all.machine.push_back(std::move(layer));
    for (auto& layer : layers.user) all.user.push_back(std::move(layer));
    for (auto& layer : layers.users) all.users.push_back(std::move(layer));
    for (const std::string& key : layers.keys) {
      machine->hiveOrigins.push_back(HiveOrigin{key, path, true});
    }
  }
  machine->machineHive = Stacked(std::move(all.machine), machine->machineHive);
  machine->userHive = Stacked(std::move(all.user), machine->userHive);
  machine->usersHive = Stacked(std::move(all.users), machine->usersHive);
}

}  // namespace qv
