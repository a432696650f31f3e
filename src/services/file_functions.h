#pragma once
// The file functions of the maker's utility library (Dunardll.dll). Paths are Windows paths
// of the current machine, or host paths starting with '/'. Out-texts come back without the
// NUL padding of the Windows buffers; sizes keep the Windows limits.

#include <cstdint>
#include <string>

namespace qv {

/// 0 when a file (anything but a folder) exists at the path, 1 when not.
int32_t ExistFile(const std::string& path);
/// 0 when a folder exists at the path, 1 when not.
int32_t ExistDir(const std::string& path);
/// Non-zero when the file holds UTF-16LE text: 1 with a byte-order mark (FF FE), 2 without one
/// but with the NUL high bytes of mostly-Latin UTF-16LE text in its first 4 KB; 0 otherwise
/// (also for UTF-8 text, which never holds NUL bytes, and for files that cannot be read).
int32_t IsUnicodeFile(const std::string& path);
/// Deletes the file, read-only or not; options "0" (the only form the program passes) asks
/// for a plain delete. Returns 1 when no file is left at the path, 0 when it could not go.
int32_t DeleteFileC(const std::string& path, const std::string& options);
/// The file's record "|t=YYYYMMDDhhmmss|s=size" (last-write time on the local clock, size in
/// bytes, 0 for a folder) into *buffer; returns its length; 0 when the path does not exist;
/// minus the length needed when it does not fit into size - 1 characters.
int32_t GetNFileDateTime(std::string* buffer, const std::string& path, int32_t size);

/// The host path a Windows or host path stands for on the current machine; empty when it has
/// no host form (an unmapped drive, a relative path).
std::string HostFormOf(const std::string& path);

}  // namespace qv
