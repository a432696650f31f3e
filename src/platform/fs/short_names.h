#pragma once
// 8.3 names, given out the way the file-system view promises: in the order the files of a
// folder came into being, so that a new file never changes the short name of an older one.

#include <string>
#include <string_view>
#include <vector>

namespace qv::fs {

/// True when the name already is a valid 8.3 name (1 to 8 characters, optionally one dot and
/// 1 to 3 more; printable ASCII without blanks and without "*+,/:;<=>?[\]|); such a name is its
/// own short name, in the case it is written in.
bool IsValidShortName(std::string_view name);

/// Short names for the entries of one folder, given in the order their files came into being:
/// an entry whose file system keeps a short name (recorded[i] not empty; recorded may be empty)
/// has that one; names that are valid 8.3 names keep themselves; every other name gets
/// base~n.ext with the smallest n that no earlier entry holds, as ShortNameCandidate
/// describes. Linear in the number of names.
std::vector<std::string> AssignShortNames(const std::vector<std::string>& names,
                                          const std::vector<std::string>& recorded = {});

/// The n-th candidate short name of a long name that is not a valid 8.3 name: blanks and all
/// dots but the last dropped, +,;=[] (and characters Windows forbids or that are not ASCII)
/// replaced by '_', upper-cased; 6 characters of the base and ~1..~9, 5 and ~10..~99, 4 and
/// ~100..~999 (one character fewer per further digit), then '.' and up to 3 characters of the
/// extension. A base left empty (".profile") is made from the extension instead.
std::string ShortNameCandidate(std::string_view longName, int n);

}  // namespace qv::fs
