#pragma once
// What a GUID is on this machine: an installed or advertised product, a component with the
// products that installed it, a feature of registered products, or a registered COM class.

#include <string>

namespace qv {

/// Describes the standard GUID into *description (lines separated by CR): the product, the
/// component and its clients (each installed client's component name read from its cached
/// package), the products having a feature of that name, or the COM class registered under
/// HKEY_CLASSES_ROOT\CLSID with a text default value and its server subkeys. "" when it is
/// none of these. Shows the busy pointer while it works; nothing is kept between calls.
void IdentifyGUID(const std::string& guid, std::string* description);

}  // namespace qv
