#pragma once
// Drive C of the built-in machine: the folders a Windows 10 x64 installation has, made on the
// host in the order Windows makes them, so that their short names are the ones Windows gives
// ("C:\Program Files (x86)" is "C:\PROGRA~2").

#include <string>
#include <vector>

#include "platform/base/status.h"

namespace qv {

/// The folders of drive C for user userName, relative to the drive's root with '/' between
/// components, each after its parent and in the order Windows creates them.
std::vector<std::string> BuiltinDriveCFolders(const std::string& userName);

/// Creates the folders below root that do not exist yet, in the order given, each born after
/// the folder created before it in the same parent where its short name could depend on that
/// order (the file system's timestamps are coarse). IOError naming the first folder that cannot
/// be made; the others are still made.
Status CreateFoldersInOrder(const std::string& root, const std::vector<std::string>& folders);

}  // namespace qv
