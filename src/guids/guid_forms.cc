#include "guids/guid_forms.h"

#include "platform/base/nul_text.h"
#include "services/installer_helpers.h"

namespace qv {

std::string PackGUID(const std::string& guid) {
  if (guid.empty()) return "";
  std::string buffer;
  GUIDFormattedToPacked(guid, &buffer);
  return std::string(CutAtNul(buffer));
}

std::string UnpackGUID(const std::string& packed) {
  if (packed.empty()) return "";
  std::string buffer;
  GUIDPackedToFormatted(packed, &buffer);
  return std::string(CutAtNul(buffer));
}

}  // namespace qv
