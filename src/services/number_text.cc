#include "services/number_text.h"

#include <cstdio>

namespace qv {

std::string NumberText(int64_t value) {
  return (value < 0 ? "" : " ") + std::to_string(value);
}

std::string HexText(int32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", static_cast<uint32_t>(value));
  return buf;
}

}  // namespace qv
