#include "cli/held_package.h"

#include <unistd.h>

#include <cstdio>

#include "platform/fs/file_copy.h"
#include "platform/fs/path_map.h"
#include "platform/host/host_file.h"

namespace qv::cli {
namespace {

// True when another process holds the package at hostPath.
bool HeldByAnotherProcess(const std::string& hostPath) {
  host::HostFile file;
  return host::HostFile::Open(hostPath, host::OpenMode::kRead, &file).ok() &&
         file.InUseByAnotherProcess();
}

}  // namespace

HeldPackageCopy::HeldPackageCopy(const std::string& package) : m_path(package) {
  std::string hostPath;
  if (package.size() < 4 || !fs::HostPathOf(package, &hostPath).ok() ||
      !HeldByAnotherProcess(hostPath)) {
    return;
  }
  const std::string copy = package.substr(0, package.size() - 3) + "CopyOf.Msi";
  std::string copyHost;
  if (!fs::HostPathOf(copy, &copyHost).ok() || !fs::CopyHostFile(hostPath, copyHost, false).ok()) {
    return;  // the package itself is tried, and its open reports why it cannot be read
  }
  std::fprintf(stderr, "quorvex-cli: '%s' is in use by another program; reading a copy\n",
               package.c_str());
  m_path = copy;
  m_copyHost = copyHost;
}

HeldPackageCopy::~HeldPackageCopy() {
  if (!m_copyHost.empty()) unlink(m_copyHost.c_str());
}

}  // namespace qv::cli
