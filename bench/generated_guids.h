#pragma once
// GUIDs the registry benchmarks generate: distinct, spread over the digits, in both forms.

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/msi/packed_guid.h"

namespace qv::bench {

/// The n-th generated GUID of a kind (product, component, feature...), in standard form.
inline std::string Guid(uint32_t kind, uint32_t n) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-4%03X-8%03X-%012X}", kind * 0x10000000u + n,
                (n * 7919u) & 0xFFFF, n % 0xFFF, (n * 31u) % 0xFFF, n * 2654435761u);
  return text;
}

/// The packed form of a standard GUID, as the installer's keys name it.
inline std::string Packed(const std::string& guid) {
  std::string packed;
  qv::msi::PackGuid(guid, &packed);
  return packed;
}

}  // namespace qv::bench
