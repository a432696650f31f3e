#pragma once
// What Windows reports about a file: attributes, size and times (local time), from the host
// file system. Paths here are host paths (HostPathOf maps Windows paths first).

#include <cstdint>
#include <string>

#include "platform/base/status.h"

namespace qv::fs {

constexpr uint32_t kAttributeReadOnly = 0x01;
constexpr uint32_t kAttributeHidden = 0x02;
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeArchive = 0x20;
/// What GetFileAttributes answers for a path that does not exist.
constexpr uint32_t kInvalidFileAttributes = 0xFFFFFFFF;

/// A point in time on the local clock, as Windows shows file times.
struct LocalTime {
  int year = 0;
  int month = 0;  ///< 1..12
  int day = 0;    ///< 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

/// Size, last-write time and attributes of one file or folder.
struct FileInfo {
  uint64_t size = 0;  ///< 0 for folders
  LocalTime modified;
  uint32_t attributes = 0;
  bool isDirectory = false;
};

/// Attributes of a path: read-only when the owner may not write it, hidden for names starting
/// with '.', as Wine shows them; kInvalidFileAttributes when it does not exist.
uint32_t GetFileAttributesOf(const std::string& hostPath);
/// Sets (true) or clears (false) the read-only attribute: the owner's write permission.
Status SetReadOnly(const std::string& hostPath, bool readOnly);
/// Reads size, last-write time (local) and attributes; NotFound when the path does not exist.
Status GetFileInfo(const std::string& hostPath, FileInfo* info);
/// A host time (seconds since 1970) on the local clock.
LocalTime ToLocalTime(int64_t secondsSinceEpoch);

}  // namespace qv::fs
