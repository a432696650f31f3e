#pragma once
// The program's named record lists. Each is a global holding its list number: 0 until the
// first ListSetup of the run, which numbers all of them 1 to 71 in the order below and
// never again. Numbers 1 to 4 can never auto-sort, so the two path lists come right after.
// The lists that no part of the program sets up yet hold reserved numbers, so that the
// numbering stays the same when one of them comes into use.

#include <cstdint>

namespace qv {

/// How many named lists the program numbers.
inline constexpr int32_t kNamedListCount = 71;

/// Reserved list numbers 1 to 4 (never auto-sorted).
extern int32_t ReservedList01, ReservedList02, ReservedList03, ReservedList04;
/// The directory list: every folder of the current package with its Directory keys.
extern int32_t DirectoryList;
/// The file list: every file of the current package with its File key.
extern int32_t FileList;
/// Reserved list numbers 7 to 71.
extern int32_t ReservedList07, ReservedList08, ReservedList09, ReservedList10, ReservedList11,
    ReservedList12, ReservedList13, ReservedList14, ReservedList15, ReservedList16, ReservedList17,
    ReservedList18, ReservedList19, ReservedList20, ReservedList21, ReservedList22, ReservedList23,
    ReservedList24, ReservedList25, ReservedList26, ReservedList27, ReservedList28, ReservedList29,
    ReservedList30, ReservedList31, ReservedList32, ReservedList33, ReservedList34, ReservedList35,
    ReservedList36, ReservedList37, ReservedList38, ReservedList39, ReservedList40, ReservedList41,
    ReservedList42, ReservedList43, ReservedList44, ReservedList45, ReservedList46, ReservedList47,
    ReservedList48, ReservedList49, ReservedList50, ReservedList51, ReservedList52, ReservedList53,
    ReservedList54, ReservedList55, ReservedList56, ReservedList57, ReservedList58, ReservedList59,
    ReservedList60, ReservedList61, ReservedList62, ReservedList63, ReservedList64, ReservedList65,
    ReservedList66, ReservedList67, ReservedList68, ReservedList69, ReservedList70, ReservedList71;

/// True once the named lists have received their numbers in this run.
bool ListNumbersAssigned();
/// Gives every named list its number, 1 to kNamedListCount in the fixed order; later calls
/// change nothing.
void AssignListNumbers();

}  // namespace qv
