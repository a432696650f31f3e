#pragma once
// The shared program state quorvex-cli needs before it runs the program's modules: the
// installer object, the Windows folders, the history limit and the file-key marker.

namespace qv::cli {

/// Sets up the program-wide values as the window's start-up does, without its side effects
/// (no executable path recorded, no library folder created). False when the installer object
/// cannot be created (the reason is printed).
bool SetUpProgramState();

}  // namespace qv::cli
