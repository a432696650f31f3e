#include "services/path_text.h"

#include <sys/stat.h>

#include "platform/base/nul_text.h"
#include "services/file_functions.h"

namespace qv {
namespace {

bool CreateFolder(const std::string& path) {
  std::string host = HostFormOf(path);
  return !host.empty() && mkdir(host.c_str(), 0777) == 0;
}

}  // namespace

char SeparatorOf(const std::string& path) {
  return !path.empty() && path[0] == '/' ? '/' : '\\';
}

std::string TrimNul(const std::string& text) {
  return std::string(CutAtNul(text));
}

std::string NameOf(const std::string& path) {
  size_t last = path.rfind(SeparatorOf(path));
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string FolderOf(const std::string& path) {
  if (ExistDir(path) == 0) return path;
  size_t start = !path.empty() && path[0] == '"' ? 1 : 0;
  size_t last = path.rfind(SeparatorOf(path));
  if (last == std::string::npos || last < start) return "";
  return path.substr(start, last - start);
}

bool MakeFolderPath(const std::string& path) {
  const char separator = SeparatorOf(path);
  // Starting at the 4th character skips "C:\": a drive root is never created.
  for (size_t at = path.find(separator, 3); at != std::string::npos;
       at = path.find(separator, at + 1)) {
    std::string folder = path.substr(0, at);
    if (ExistDir(folder) != 0) CreateFolder(folder);  // failures show in the last step
  }
  if (ExistDir(path) == 0) return true;
  return CreateFolder(path) || ExistDir(path) == 0;
}

bool DeleteIfExists(const std::string& path) {
  if (ExistFile(path) != 0) return true;
  DeleteFileC(path, "0");
  return ExistFile(path) != 0;
}

}  // namespace qv
