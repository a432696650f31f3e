#include "platform/host/whole_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/host/host_file.h"

namespace qv::host {
namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

Status WriteTemporary(const std::string& temp, std::string_view bytes) {
  HostFile file;
  if (Status s = HostFile::Open(temp, OpenMode::kWrite, &file); !s.ok()) return s;
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
