#include "paths/short_paths.h"

#include "paths/directory_list.h"
#include "platform/fs/path_map.h"
#include "platform/fs/win32_paths.h"
#include "platform/host/host_file.h"
#include "services/file_functions.h"
#include "services/path_text.h"

namespace qv {
namespace {

// The short form of an existing path; "" when it does not exist.
std::string ExistingShortPath(const std::string& path) {
  std::string buffer;
  const uint32_t n = GetShortPathNameA(path, &buffer, 256);
  return n != 0 ? buffer.substr(0, n) : "";
}

// Writes the marker file that gives a missing name its short form.
bool CreateTempFile(const std::string& path) {
  std::string hostPath;
  if (!fs::HostPathOf(path, &hostPath).ok()) return false;
  // Through the host layer: a FIFO put in its place is refused, never waited on.
  host::HostFile out;
  if (!host::HostFile::Open(hostPath, host::OpenMode::kWrite, &out, 0666).ok()) return false;
  return out.WriteAll("This is a temp file\r\n").ok() && out.Close().ok();
}

}  // namespace

std::string ShortPathOf(const std::string& path) {
  if (path.empty()) return "";
  std::string result = ExistingShortPath(path);
  if (!result.empty()) return result;
  const bool drivePath = path.size() > 1 && path[1] == ':';
  const bool networkPath = path.rfind("\\\\", 0) == 0;
  if (!drivePath && !networkPath) return ShortNameOfMissing(path);

  // Walk the path part by part: existing leading parts through the file system, the rest
  // (from the first part that does not exist) as temp-folder short names.
  result.clear();
  bool missing = false;
  size_t pos = 2;
  while (pos < path.size()) {
    size_t end = path.find('\\', pos);
    if (end == std::string::npos) end = path.size() - 1;
    const std::string leading = path.substr(0, end + 1);
    const std::string shortLeading = missing ? "" : ExistingShortPath(leading);
    if (!shortLeading.empty()) {
      result = shortLeading;
    } else {
      missing = true;
      result += ShortNameOfMissing(path.substr(pos, end + 1 - pos));
    }
    pos = end + 1;
  }
  return result;
}

std::string ShortNameOfMissing(const std::string& part) {
  const std::string failure = "Could not generate SFN from - " + part;
  std::string name = TempDir() + part;
  const bool trailing = !name.empty() && name.back() == '\\';
  if (trailing) name.pop_back();
  bool created = false;
  if (ExistFile(name) != 0) {
    if (!CreateTempFile(name)) {
      DeleteIfExists(name);
      return failure;
    }
    created = true;
  }
  const std::string shortName = ExistingShortPath(name);
  if (created) DeleteIfExists(name);
  if (shortName.empty()) return failure;
  std::string result = shortName.substr(shortName.rfind('\\') + 1);
  if (trailing) result.push_back('\\');
  return result;
}

}  // namespace qv
