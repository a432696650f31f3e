#include "platform/fs/win32_paths.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/fs/path_map.h"
#include "platform/machine/machine.h"

namespace qv {
namespace {

// Rebuilds an existing path from the names its components have (short or long); empty when
// some component does not exist or the path cannot be read.
std::string ConvertPath(const std::string& path, bool shortForm) {
  fs::PathParts parts;
  if (!fs::SplitPath(CurrentMachine(), path, &parts).ok()) return "";
  fs::WalkedPath walked = fs::WalkPath(parts);
  if (!walked.rootExists || !walked.complete) return "";
  const char separator = parts.isHostPath ? '/' : '\\';
  std::string result = parts.prefix;
  for (size_t i = 0; i < walked.found.size(); ++i) {
    if (i > 0) result += separator;
    result += shortForm ? walked.found[i].shortName : walked.found[i].name;
  }
  if (parts.trailingSeparator && !walked.found.empty()) result += separator;
  return result;
}

uint32_t Answer(std::string result, std::string* buffer, uint32_t size) {
  if (result.empty() || result.size() + 1 > size) {
    buffer->clear();
    return 0;
  }
  *buffer = std::move(result);
  return static_cast<uint32_t>(buffer->size());
}

}  // namespace

uint32_t GetShortPathNameA(const std::string& path, std::string* buffer, uint32_t size) {
  return Answer(ConvertPath(path, true), buffer, size);
}

uint32_t GetLongPathNameA(const std::string& path, std::string* buffer, uint32_t size) {
  return Answer(ConvertPath(path, false), buffer, size);
}

uint32_t GetTempPathA(uint32_t size, std::string* buffer) {
  const Machine& machine = CurrentMachine();
  std::string temp = machine.tempDir;
  if (temp.empty()) {
    buffer->clear();
    return 0;
  }
  if (temp.back() != '\\') temp += '\\';
  std::string hostPath;
  if (fs::HostPathOf(machine, temp, &hostPath).ok()) {
    std::error_code ignored;  // a folder that cannot be made shows up when it is used
    std::filesystem::create_directories(hostPath, ignored);
  }
  if (temp.size() + 1 > size) {
    // As Windows does: nothing copied, the size needed (with the NUL) returned.
    buffer->clear();
    return static_cast<uint32_t>(temp.size() + 1);
  }
  *buffer = std::move(temp);
  return static_cast<uint32_t>(buffer->size());
}

}  // namespace qv
