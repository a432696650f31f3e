#pragma once
// The program's two named record lists. Each list is known by its number; what the program
// keeps about a list beside its records is the list state table (list_state.h). Numbers 1 to
// 4 can never auto-sort, so the two path lists take the first two numbers that may.

#include <cstdint>

namespace qv {

/// The directory list: every folder of the current package with its Directory keys.
inline constexpr int32_t kDirectoryList = 5;
/// The file list: every file of the current package with its File key.
inline constexpr int32_t kFileList = 6;

}  // namespace qv
