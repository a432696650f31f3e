#include "platform/fs/file_copy.h"

#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "platform/host/host_file.h"

namespace qv::fs {

Status CopyHostFile(const std::string& from, const std::string& to, bool failIfExists) {
  using host::HostFile;
  using host::OpenMode;
  HostFile source;
  if (Status s = HostFile::Open(from, OpenMode::kRead, &source); !s.ok()) return s;
  struct stat st {};
  if (Status s = source.Stat(&st); !s.ok()) return s;
  HostFile target;
  const OpenMode mode = failIfExists ? OpenMode::kWriteNew : OpenMode::kWrite;
  if (Status s = HostFile::Open(to, mode, &target); !s.ok()) return s;
  std::vector<char> chunk(1 << 16);
  for (;;) {
    size_t got = 0;
    if (Status s = source.Read(chunk.data(), chunk.size(), &got); !s.ok()) return s;
    if (got == 0) break;
    if (Status s = target.WriteAll({chunk.data(), got}); !s.ok()) return s;
  }
  const timespec times[2] = {st.st_atim, st.st_mtim};
  if (futimens(target.fd(), times) != 0 || fchmod(target.fd(), st.st_mode & 07777) != 0) {
    return host::HostError(to, errno);
  }
  return target.Close();
}

}  // namespace qv::fs
