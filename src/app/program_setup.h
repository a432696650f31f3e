#pragma once
// The shared program state that tools (quorvex-cli, the benchmarks) need before they run the
// program's modules: the installer object, the Windows folders, the history limit and the
// file-key marker.

namespace qv {

/// Sets up the program-wide values as the window's start-up does, without its side effects
/// (no executable path recorded, no library folder created, no message). False when the
/// installer object cannot be created.
bool SetUpProgramState();

}  // namespace qv
