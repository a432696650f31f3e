#pragma once
// Comparing paths, keys and names without regard to case, as the program compares them
// everywhere (the letters A-Z fold; other characters compare as they are).

#include <string>
#include <string_view>

namespace qv {

/// True when a and b are equal without regard to case.
bool SameText(std::string_view a, std::string_view b);
/// Position of needle in text at or after from, without regard to case; npos when absent.
size_t FindNoCase(std::string_view text, std::string_view needle, size_t from = 0);
/// True when needle occurs in text without regard to case.
bool ContainsNoCase(std::string_view text, std::string_view needle);
/// True when text begins with prefix without regard to case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
/// True when text ends with suffix without regard to case.
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
/// text with every occurrence of what (found without regard to case) replaced by with; an
/// empty what changes nothing.
std::string ReplaceNoCase(std::string_view text, std::string_view what, std::string_view with);

}  // namespace qv
