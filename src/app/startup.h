#pragma once
// The program's start: where it runs from, the Windows folders, the installer object, the
// shared values, and the converter window opened without blocking.

#include <functional>
#include <string>

namespace qv {

/// What start-up needs from the windows layer above it.
struct StartWindow {
  std::function<void()> create;   ///< creates the converter window (not shown yet)
  std::function<void()> display;  ///< opens it without blocking (its Disp_Frm)
};

/// The program's entry: runs start-up and opens the converter. False when the program ended
/// during start-up (the installer object could not be created).
bool Main(const StartWindow& window);
/// Sets the settings key, creates the installer object (reporting a failure), the Windows
/// folder and the utility library's folder.
void InitCommon();
/// Records the Windows folder if still unknown and the executable's path under "EXENAME" and
/// its base name; hands back the program's folder and the executable's base name.
void SetProgramPaths(std::string* programFolder, std::string* baseName);

}  // namespace qv
