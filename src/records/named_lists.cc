#include "records/named_lists.h"

#include <array>

namespace qv {

int32_t ReservedList01 = 0, ReservedList02 = 0, ReservedList03 = 0, ReservedList04 = 0;
int32_t DirectoryList = 0;
int32_t FileList = 0;
int32_t ReservedList07 = 0, ReservedList08 = 0, ReservedList09 = 0, ReservedList10 = 0,
        ReservedList11 = 0, ReservedList12 = 0, ReservedList13 = 0, ReservedList14 = 0,
        ReservedList15 = 0, ReservedList16 = 0, ReservedList17 = 0, ReservedList18 = 0,
        ReservedList19 = 0, ReservedList20 = 0, ReservedList21 = 0, ReservedList22 = 0,
        ReservedList23 = 0, ReservedList24 = 0, ReservedList25 = 0, ReservedList26 = 0,
        ReservedList27 = 0, ReservedList28 = 0, ReservedList29 = 0, ReservedList30 = 0,
        ReservedList31 = 0, ReservedList32 = 0, ReservedList33 = 0, ReservedList34 = 0,
        ReservedList35 = 0, ReservedList36 = 0, ReservedList37 = 0, ReservedList38 = 0,
        ReservedList39 = 0, ReservedList40 = 0, ReservedList41 = 0, ReservedList42 = 0,
        ReservedList43 = 0, ReservedList44 = 0, ReservedList45 = 0, ReservedList46 = 0,
        ReservedList47 = 0, ReservedList48 = 0, ReservedList49 = 0, ReservedList50 = 0,
        ReservedList51 = 0, ReservedList52 = 0, ReservedList53 = 0, ReservedList54 = 0,
        ReservedList55 = 0, ReservedList56 = 0, ReservedList57 = 0, ReservedList58 = 0,
        ReservedList59 = 0, ReservedList60 = 0, ReservedList61 = 0, ReservedList62 = 0,
        ReservedList63 = 0, ReservedList64 = 0, ReservedList65 = 0, ReservedList66 = 0,
        ReservedList67 = 0, ReservedList68 = 0, ReservedList69 = 0, ReservedList70 = 0,
        ReservedList71 = 0;

namespace {

bool g_numbers_assigned = false;

// The numbering order; a list's place here is its number.
const std::array<int32_t*, kNamedListCount> kNamedLists = {
    &ReservedList01, &ReservedList02, &ReservedList03, &ReservedList04, &DirectoryList,
    &FileList,       &ReservedList07, &ReservedList08, &ReservedList09, &ReservedList10,
    &ReservedList11, &ReservedList12, &ReservedList13, &ReservedList14, &ReservedList15,
    &ReservedList16, &ReservedList17, &ReservedList18, &ReservedList19, &ReservedList20,
    &ReservedList21, &ReservedList22, &ReservedList23, &ReservedList24, &ReservedList25,
    &ReservedList26, &ReservedList27, &ReservedList28, &ReservedList29, &ReservedList30,
    &ReservedList31, &ReservedList32, &ReservedList33, &ReservedList34, &ReservedList35,
    &ReservedList36, &ReservedList37, &ReservedList38, &ReservedList39, &ReservedList40,
    &ReservedList41, &ReservedList42, &ReservedList43, &ReservedList44, &ReservedList45,
    &ReservedList46, &ReservedList47, &ReservedList48, &ReservedList49, &ReservedList50,
    &ReservedList51, &ReservedList52, &ReservedList53, &ReservedList54, &ReservedList55,
    &ReservedList56, &ReservedList57, &ReservedList58, &ReservedList59, &ReservedList60,
    &ReservedList61, &ReservedList62, &ReservedList63, &ReservedList64, &ReservedList65,
    &ReservedList66, &ReservedList67, &ReservedList68, &ReservedList69, &ReservedList70,
    &ReservedList71};

}  // namespace

bool ListNumbersAssigned() {
  return g_numbers_assigned;
}

void AssignListNumbers() {
  if (g_numbers_assigned) return;
  int32_t next = 1;
  for (int32_t* list : kNamedLists) *list = next++;
  g_numbers_assigned = true;
}

}  // namespace qv
