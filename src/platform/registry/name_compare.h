#pragma once
// Registry names (keys and values) compare without regard to case, as Windows compares them.

#include <string>
#include <string_view>

namespace qv::registry {

/// The case-folded form of a UTF-8 name: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic
/// letters upper-cased; other bytes kept. Two names are the same registry name when their
/// folded forms are equal.
std::string FoldName(std::string_view name);

/// True when a and b are the same registry name.
bool SameName(std::string_view a, std::string_view b);

}  // namespace qv::registry
