#include "platform/fs/file_info.h"

#include <sys/stat.h>
#include <time.h>

#include <cerrno>
#include <cstring>

namespace qv::fs {
namespace {

uint32_t AttributesOf(const std::string& hostPath, const struct stat& st) {
  uint32_t attributes = 0;
  if (S_ISDIR(st.st_mode)) {
    attributes |= kAttributeDirectory;
  } else {
    attributes |= kAttributeArchive;
  }
  if ((st.st_mode & S_IWUSR) == 0) attributes |= kAttributeReadOnly;
  size_t slash = hostPath.find_last_of('/');
  std::string name = slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= kAttributeHidden;
  return attributes;
}

}  // namespace

LocalTime ToLocalTime(int64_t secondsSinceEpoch) {
  time_t t = static_cast<time_t>(secondsSinceEpoch);
  struct tm local;
  localtime_r(&t, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

uint32_t GetFileAttributesOf(const std::string& hostPath) {
  struct stat st;
  if (stat(hostPath.c_str(), &st) != 0) return kInvalidFileAttributes;
  return AttributesOf(hostPath, st);
}

Status SetReadOnly(const std::string& hostPath, bool readOnly) {
  struct stat st;
  if (stat(hostPath.c_str(), &st) != 0) {
    return Status::NotFound(hostPath + ": " + std::strerror(errno));
  }
  mode_t mode = st.st_mode & 07777;
  mode = readOnly ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  if (chmod(hostPath.c_str(), mode) != 0) {
    return Status::IOError(hostPath + ": " + std::strerror(errno));
  }
  return Status::Ok();
}

Status GetFileInfo(const std::string& hostPath, FileInfo* info) {
  struct stat st;
  if (stat(hostPath.c_str(), &st) != 0) {
    return Status::NotFound(hostPath + ": " + std::strerror(errno));
  }
  info->isDirectory = S_ISDIR(st.st_mode);
  info->size = info->isDirectory ? 0 : static_cast<uint64_t>(st.st_size);
  info->modified = ToLocalTime(st.st_mtim.tv_sec);
  info->attributes = AttributesOf(hostPath, st);
  return Status::Ok();
}

}  // namespace qv::fs
