#pragma once
// A GUID's two written forms on the GUID tab: the standard form and the packed form under
// which the Windows Installer names its product and component keys.

#include <string>

namespace qv {

/// The packed form of a standard GUID, as the installer helper library writes it; "" for an
/// empty text, without asking the library. A text the library cannot convert gives its "".
std::string PackGUID(const std::string& guid);

/// The standard form of a packed GUID, as the installer helper library writes it; "" for an
/// empty text, without asking the library. A text the library cannot convert gives its "".
std::string UnpackGUID(const std::string& packed);

}  // namespace qv
