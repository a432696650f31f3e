#include "platform/host/whole_file.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/host/host_file.h"

namespace qv::host {
namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The process number of a temporary file name "<name>.tmp-<pid>"; 0 when it is none.
pid_t WriterOf(std::string_view entry, std::string_view prefix) {
  if (entry.size() <= prefix.size() || entry.substr(0, prefix.size()) != prefix) return 0;
  pid_t pid = 0;
  for (char c : entry.substr(prefix.size())) {
    if (c < '0' || c > '9' || pid > 99'999'999) return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

// Removes the temporary files of path that writers killed before their rename left behind:
// those whose process is gone. A live process may still be writing its own.
void RemoveLeftTemporaries(const std::string& path) {
  DIR* folder = ::opendir(FolderOf(path).c_str());
  if (folder == nullptr) return;
  const std::string prefix = NameOf(path) + ".tmp-";
  std::vector<std::string> gone;
  while (const dirent* entry = ::readdir(folder)) {
    const pid_t pid = WriterOf(entry->d_name, prefix);
    if (pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH) {
      gone.push_back(entry->d_name);
    }
  }
  ::closedir(folder);
  for (const std::string& name : gone) ::unlink((FolderOf(path) + "/" + name).c_str());
}

Status WriteTemporary(const std::string& temp, std::string_view bytes) {
  // A file of this very name is a leftover of an earlier process with this number: it goes,
  // and the new one is created afresh (never through a link planted under its name).
  ::unlink(temp.c_str());
  HostFile file;
  if (Status s = HostFile::Open(temp, OpenMode::kWriteNew, &file); !s.ok()) return s;
  if (Status s = file.WriteAll(bytes); !s.ok()) return s;
  if (Status s = file.Sync(); !s.ok()) return s;
  return file.Close();
}

}  // namespace

Status ReadHostFile(const std::string& path, uint64_t maxBytes, std::string* bytes,
                    ReadOptions options) {
  bytes->clear();
  HostFile file;
  if (Status s = HostFile::Open(path, OpenMode::kRead, &file); !s.ok()) return s;
  if (options.refuseInUse && file.InUseByAnotherProcess()) {
    return Status::Busy(path + ": in use by another process");
  }
  Status s = file.ReadToEnd(maxBytes, bytes, options.headOnly);
  if (!s.ok()) bytes->clear();
  return s;
}

Status ReplaceHostFile(const std::string& path, std::string_view bytes,
                       const std::function<void()>& beforeRename) {
  RemoveLeftTemporaries(path);
  const std::string temp = path + ".tmp-" + std::to_string(getpid());
  Status s = WriteTemporary(temp, bytes);
  if (s.ok() && beforeRename) beforeRename();
  if (s.ok() && std::rename(temp.c_str(), path.c_str()) != 0) s = HostError(path, errno);
  if (!s.ok()) {
    ::unlink(temp.c_str());
    return s;
  }
  // The rename itself reaches the disk with the folder; a folder that cannot be synced has
  // the new file all the same.
  HostFile folder;
  if (HostFile::Open(FolderOf(path), OpenMode::kFolder, &folder).ok()) folder.Sync().IgnoreError();
  return Status::Ok();
}

}  // namespace qv::host
