#pragma once
// Writes hives in Wine's registry file format.

#include <cstdint>
#include <string>

#include "platform/registry/hive.h"

namespace qv::registry {

/// The Wine-format text of hive: the "WINE REGISTRY Version 2" header, a ";; All keys relative
/// to" line naming relativeTo (such as "\\Machine"), "#arch=win64", then each key with
/// unixTime as its timestamp and its values. Tombstones are written as "name"=-, which only
/// this program reads back.
std::string WriteWineHive(const Hive& hive, const std::string& relativeTo, int64_t unixTime);

/// A name or text in Wine's escaped form (without the quotes): backslash, quote, the control
/// characters and everything outside ASCII escaped; bytes that are no UTF-8 are kept as they
/// are, so that they read back unchanged.
std::string EscapeWineText(const std::string& text, char delimiter);

}  // namespace qv::registry
