#pragma once
// Texts that come back from Windows-style calls as buffers end at their first NUL.

#include <string_view>

namespace qv {

/// The text up to its first NUL; all of it when it has none. The view points into text.
constexpr std::string_view CutAtNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace qv
