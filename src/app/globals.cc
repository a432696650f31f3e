#include "app/globals.h"

namespace qv {

std::string SettingsKey;
std::shared_ptr<msi::Installer> InstallerObject;
std::string WindowsDir;
std::string SystemDir;
std::string LibrarySysDir;
int32_t HistoryMax = 10;
std::string FileKeyMarker = "#";

}  // namespace qv
