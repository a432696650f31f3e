#pragma once
// Name order the way Windows lists file names: without regard to the case of the ASCII
// letters. Other characters compare as they are (the host's names are UTF-8 and no
// upper-case table of Windows is at hand below the services layer). Case folding itself is
// platform/base/ascii_case.h.

#include <string_view>

#include "platform/base/ascii_case.h"

namespace qv::fs {

/// The order folders are listed in: without regard to case, ties broken by the exact bytes,
/// so every listing of a folder comes out in the same order.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace qv::fs
