#pragma once
// Installer verbose logs and change files: how the file list recognises them and what it
// reads from a log (the package name, the kind of installation and the product code).

#include <string>

#include "details/log_lines.h"

namespace qv {

/// Reads a log's identity from its lines. False, with the three texts unchanged, when none of
/// the first 4 lines starts with "=== Verbose logging started:". Otherwise PackageName and
/// ProductCode start empty and InstallType "Install", and lines are read until one names the
/// package (": Package name" ... ":" then the name); before it, a ": Command Line:" line makes
/// InstallType "ReInstall" (with "Reinstall=") or "Remove" (with "Remove="), and a "ProductCode
/// '{" line gives the code in braces. True when the package name was found. Every search
/// ignores case.
bool ReadLogIdentity(LogLineReader& lines, std::string* PackageName, std::string* InstallType,
                     std::string* ProductCode);

/// ReadLogIdentity on the file at LogPath. A path that is not an existing file empties
/// PackageName and ProductCode and gives false; one that cannot be opened shows the numbered
/// text files' message (OpenListedFile) and gives false.
bool GetIdentityLogFile(const std::string& LogPath, std::string* PackageName,
                        std::string* InstallType, std::string* ProductCode);

/// True when the first line of lines starts with "SetupCapture report" (any case).
bool HasChangeFileHeader(LogLineReader& lines);

/// HasChangeFileHeader on the file at path; false (after OpenListedFile's message) when it
/// cannot be opened.
bool IsChangeFile(const std::string& path);

}  // namespace qv
