#pragma once
// Where and how large a resizable window was left, kept per window name under the settings
// key's "Display" branch as four 32-bit values in twips ("Left", "Top", "Height", "Width").
// The windows hand in plain rectangles; converting from and to screen pixels is theirs.

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

/// A rectangle in twips: a window's outer frame or a screen's area, relative to the desktop.
struct TwipsRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

/// The settings key path of the Display branch for a window name (and, when `below` is not
/// empty, a key below it): SettingsKey + "\Display\" + name [+ "\" + below].
std::string DisplayKeyPath(const std::string& windowName, const std::string& below = "");

/// Stores the window's outer rectangle as "Left", "Top", "Height" and "Width", in this order,
/// whatever state (minimised, maximised) the rectangle was read in.
void SaveWindowLayout(const std::string& windowName, const TwipsRect& frame);

/// The designed rectangle with each stored value that is greater than 0 put in its place; a
/// value that is absent or cannot be read counts as 0 and leaves the designed one.
TwipsRect LoadWindowLayout(const std::string& windowName, const TwipsRect& designed);

/// The rectangle itself when one of the screens shows its title strip; otherwise moved (size
/// kept) to the nearest place inside the primary screen, screens[0]. No screens: unchanged.
TwipsRect KeepOnScreen(const TwipsRect& frame, const std::vector<TwipsRect>& screens);

}  // namespace qv
