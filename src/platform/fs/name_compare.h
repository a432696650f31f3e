#pragma once
// Name comparison the way Windows compares file names: without regard to the case of the
// ASCII letters. Other characters compare as they are (the host's names are UTF-8 and no
// upper-case table of Windows is at hand below the services layer).

#include <string>
#include <string_view>

namespace qv::fs {

/// The name with ASCII letters upper-cased.
std::string AsciiUpper(std::string_view text);
/// The name with ASCII letters lower-cased.
std::string AsciiLower(std::string_view text);
/// True when the two names are equal without regard to case.
bool EqualsNoCase(std::string_view a, std::string_view b);
/// The order folders are listed in: without regard to case, ties broken by the exact bytes,
/// so every listing of a folder comes out in the same order.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace qv::fs
