#include "services/file_functions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/fs/file_info.h"
#include "platform/fs/path_map.h"
#include "platform/host/whole_file.h"

namespace qv {
namespace {

// How much of a file IsUnicodeFile looks at.
constexpr size_t kSniffBytes = 4096;

bool StatPath(const std::string& path, struct stat* st) {
  std::string host = HostFormOf(path);
  return !host.empty() && stat(host.c_str(), st) == 0;
}

}  // namespace

std::string HostFormOf(const std::string& path) {
  std::string host;
  if (path.empty() || !fs::HostPathOf(path, &host).ok()) return "";
  return host;
}

int32_t ExistFile(const std::string& path) {
  struct stat st;
  return StatPath(path, &st) && !S_ISDIR(st.st_mode) ? 0 : 1;
}

int32_t ExistDir(const std::string& path) {
  struct stat st;
  return StatPath(path, &st) && S_ISDIR(st.st_mode) ? 0 : 1;
}

int32_t IsUnicodeFile(const std::string& path) {
  std::string host = HostFormOf(path);
  if (host.empty()) return 0;
  // Through the host layer: a FIFO or device is refused, never waited on.
  std::string bytes;
  if (!host::ReadHostFile(host, kSniffBytes, &bytes, {.headOnly = true}).ok()) return 0;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    return 1;
  }
  // Without a mark: text in UTF-16LE has a NUL as the high byte of every Latin character and
  // seldom a NUL low byte; ANSI and UTF-8 text has no NUL at all.
  size_t pairs = bytes.size() / 2;
  size_t highNul = 0, lowNul = 0;
  for (size_t i = 0; i < pairs; ++i) {
    bool low = bytes[2 * i] == 0, high = bytes[2 * i + 1] == 0;
    if (high && !low) ++highNul;
    if (low && !high) ++lowNul;
  }
  return pairs > 0 && highNul * 2 >= pairs && lowNul * 4 <= highNul ? 2 : 0;
}

int32_t DeleteFileC(const std::string& path, const std::string& /*options*/) {
  std::string host = HostFormOf(path);
  if (host.empty()) return 0;
  struct stat st;
  if (lstat(host.c_str(), &st) != 0) return 1;
  if (S_ISDIR(st.st_mode)) return 0;
  // Unlinking needs no write permission on the file itself, so read-only files go too.
  return unlink(host.c_str()) == 0 ? 1 : 0;
}

int32_t GetNFileDateTime(std::string* buffer, const std::string& path, int32_t size) {
  buffer->clear();
  std::string host = HostFormOf(path);
  fs::FileInfo info;
  if (host.empty() || !fs::GetFileInfo(host, &info).ok()) return 0;
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d", info.modified.year,
                info.modified.month, info.modified.day, info.modified.hour, info.modified.minute,
                info.modified.second);
  std::string record = "|t=" + std::string(stamp) + "|s=" + std::to_string(info.size);
  int32_t length = static_cast<int32_t>(record.size());
  if (length + 1 > size) return -length;
  *buffer = std::move(record);
  return length;
}

}  // namespace qv
