#pragma once
// The Win32 path calls the program makes, answered from the file-system view of the current
// machine. Buffers come back without NUL padding; sizes keep the Windows limits.

#include <cstdint>
#include <string>

namespace qv {

/// Short (8.3) form of an existing path; returns its length, 0 (and an empty buffer) when the
/// path does not exist or the answer needs more than size - 1 characters.
uint32_t GetShortPathNameA(const std::string& path, std::string* buffer, uint32_t size);
/// Long form of an existing path (each component's real name), the same way.
uint32_t GetLongPathNameA(const std::string& path, std::string* buffer, uint32_t size);
/// The user's temp folder (Windows path, trailing backslash), created when missing; returns
/// its length, or the size needed (with the terminating NUL) when size is too small.
uint32_t GetTempPathA(uint32_t size, std::string* buffer);

}  // namespace qv
