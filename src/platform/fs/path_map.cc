#include "platform/fs/path_map.h"

#include <cctype>

#include "platform/fs/name_compare.h"

namespace qv::fs {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// Splits text on both separators, normalizing "." and ".." the way a full Windows path is.
void SplitComponents(const std::string& text, PathParts* parts) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    std::string component = text.substr(start, end - start);
    if (component == "..") {
      if (!parts->components.empty()) parts->components.pop_back();
    } else if (!component.empty() && component != ".") {
      parts->components.push_back(std::move(component));
    }
    start = end + 1;
  }
  parts->trailingSeparator = !text.empty() && IsSeparator(text.back());
}

// Position after "\\server\share\" (or the end), npos when the share is missing.
size_t ParseShare(const std::string& path, size_t from, std::string* server, std::string* share) {
  size_t serverEnd = from;
  while (serverEnd < path.size() && !IsSeparator(path[serverEnd])) ++serverEnd;
  if (serverEnd == from || serverEnd >= path.size()) return std::string::npos;
  size_t shareEnd = serverEnd + 1;
  while (shareEnd < path.size() && !IsSeparator(path[shareEnd])) ++shareEnd;
  if (shareEnd == serverEnd + 1) return std::string::npos;
  *server = path.substr(from, serverEnd - from);
  *share = path.substr(serverEnd + 1, shareEnd - serverEnd - 1);
  return shareEnd < path.size() ? shareEnd + 1 : shareEnd;
}

Status SplitNetworkPath(const Machine& machine, const std::string& path, size_t from,
                        PathParts* parts) {
  std::string server, share;
  size_t rest = ParseShare(path, from, &server, &share);
  if (rest == std::string::npos) {
    return Status::InvalidArgument("network path without a share: '" + path + "'");
  }
  // Wine keeps shares as dosdevices/unc/<server>/<share>; names compare as Windows compares.
  std::string mapped;
  if (!machine.winePrefix.empty()) {
    mapped = machine.winePrefix + "/dosdevices/unc";
    for (const std::string& name : {server, share}) {
      std::shared_ptr<const FolderListing> listing;
      const FolderEntry* entry = nullptr;
      if (ListFolder(mapped, &listing).ok()) entry = listing->Find(name);
      if (entry == nullptr || !entry->isDirectory) {
        mapped.clear();
        break;
      }
      mapped = JoinHostPath(mapped, entry->name);
    }
  }
  if (mapped.empty()) {
    return Status::NotSupported("network path \\\\" + server + "\\" + share +
                                " is not mapped on this machine");
  }
  parts->prefix = path.substr(0, rest);
  parts->hostRoot = mapped;
  SplitComponents(path.substr(rest), parts);
  return Status::Ok();
}

}  // namespace

std::string JoinHostPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return (folder.empty() ? "/" : folder) + name;
  return folder + "/" + name;
}

Status SplitPath(const Machine& machine, const std::string& path, PathParts* parts) {
  *parts = PathParts();
  if (!path.empty() && path[0] == '/') {
    parts->isHostPath = true;
    parts->prefix = "/";
    parts->hostRoot = "/";
    SplitComponents(path.substr(1), parts);
    return Status::Ok();
  }
  size_t from = 0;
  // "\\?\C:\..." and "\\.\C:\..." name the same file as "C:\..."; "\\?\UNC\s\x" is "\\s\x".
  if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
      (path[2] == '?' || path[2] == '.') && IsSeparator(path[3])) {
    from = 4;
    if (path.size() >= 8 && (path.compare(4, 3, "UNC") == 0 || path.compare(4, 3, "unc") == 0) &&
        IsSeparator(path[7])) {
      return SplitNetworkPath(machine, path, 8, parts);
    }
  } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    return SplitNetworkPath(machine, path, 2, parts);
  }
  if (path.size() < from + 3 || !std::isalpha(static_cast<unsigned char>(path[from])) ||
      path[from + 1] != ':' || !IsSeparator(path[from + 2])) {
    return Status::InvalidArgument("not a full Windows path or a host path: '" + path + "'");
  }
  char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[from])));
  auto it = machine.drives.find(drive);
  if (it == machine.drives.end()) {
    return Status::NotFound(std::string("drive ") + drive + ": is not mapped on this machine");
  }
  parts->prefix = path.substr(0, from + 3);
  parts->hostRoot = it->second.empty() ? "/" : it->second;
  SplitComponents(path.substr(from + 3), parts);
  return Status::Ok();
}

WalkedPath WalkPath(const PathParts& parts) {
  WalkedPath walked;
  walked.hostPath = parts.hostRoot;
  std::shared_ptr<const FolderListing> listing;
  if (!ListFolder(parts.hostRoot, &listing).ok()) return walked;
  walked.rootExists = true;
  for (size_t i = 0; i < parts.components.size(); ++i) {
    if (i > 0 && !ListFolder(walked.hostPath, &listing).ok()) return walked;
    const std::string& component = parts.components[i];
    const FolderEntry* entry = listing->Find(component);
    // Host paths are case-sensitive: only the exact name or a short name leads on.
    if (entry != nullptr && parts.isHostPath && entry->name != component &&
        !EqualsNoCase(entry->shortName, component)) {
      entry = nullptr;
    }
    if (entry == nullptr) return walked;
    walked.found.push_back(*entry);
    walked.hostPath = JoinHostPath(walked.hostPath, entry->name);
  }
  walked.complete = true;
  return walked;
}

Status HostPathOf(const Machine& machine, const std::string& path, std::string* hostPath) {
  if (!path.empty() && path[0] == '/') {
    *hostPath = path;
    return Status::Ok();
  }
  PathParts parts;
  Status status = SplitPath(machine, path, &parts);
  if (!status.ok()) return status;
  WalkedPath walked = WalkPath(parts);
  std::string result = walked.hostPath;
  for (size_t i = walked.found.size(); i < parts.components.size(); ++i) {
    result = JoinHostPath(result, parts.components[i]);
  }
  *hostPath = std::move(result);
  return Status::Ok();
}

Status HostPathOf(const std::string& path, std::string* hostPath) {
  return HostPathOf(CurrentMachine(), path, hostPath);
}

}  // namespace qv::fs
