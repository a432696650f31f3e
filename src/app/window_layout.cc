#include "app/window_layout.h"

#include <algorithm>

#include "services/registry_functions.h"
#include "state/program_state.h"

namespace qv {
namespace {

// The part of a window the user grabs to move it: the top strip of a title bar, and enough of
// its width to hit with the pointer (20 pixels at 96 DPI).
constexpr int32_t kGripTwips = 300;

int32_t Stored(const std::string& key, const std::string& name) {
  int32_t value = 0;
  if (GetREGDWord(key, name, &value) <= 0) return 0;
  return value;
}

// True when screen shows enough of frame's title strip to grab it.
bool ShowsTitle(const TwipsRect& screen, const TwipsRect& frame) {
  const int64_t overlapLeft = std::max<int64_t>(frame.left, screen.left);
  const int64_t overlapRight =
      std::min<int64_t>(int64_t{frame.left} + frame.width, int64_t{screen.left} + screen.width);
  const int64_t strip = std::min(kGripTwips, std::max(frame.height, 1));
  return overlapRight - overlapLeft >= std::min(kGripTwips, std::max(frame.width, 1)) &&
         frame.top >= screen.top &&
         int64_t{frame.top} + strip <= int64_t{screen.top} + screen.height;
}

// start placed so that a span of length fits in [low, low + room) where it can.
int32_t Clamp(int32_t start, int32_t length, int32_t low, int32_t room) {
  const int64_t high = int64_t{low} + room - length;
  if (high < low) return low;
  return static_cast<int32_t>(std::clamp<int64_t>(start, low, high));
}

}  // namespace

std::string DisplayKeyPath(const std::string& windowName, const std::string& below) {
  std::string key = SettingsKeyPath();
  key += "\\Display\\" + windowName;
  if (!below.empty()) key += "\\" + below;
  return key;
}

void SaveWindowLayout(const std::string& windowName, const TwipsRect& frame) {
  const std::string key = DisplayKeyPath(windowName);
  SaveREGString(key, "Left", frame.left, 4, 4);
  SaveREGString(key, "Top", frame.top, 4, 4);
  SaveREGString(key, "Height", frame.height, 4, 4);
  SaveREGString(key, "Width", frame.width, 4, 4);
}

TwipsRect LoadWindowLayout(const std::string& windowName, const TwipsRect& designed) {
  const std::string key = DisplayKeyPath(windowName);
  const int32_t top = Stored(key, "Top");
  const int32_t left = Stored(key, "Left");
  const int32_t height = Stored(key, "Height");
  const int32_t width = Stored(key, "Width");
  // A minimised window was stored with negative coordinates and a window at the screen's left
  // edge with 0: neither is applied, the designed coordinate stays.
  TwipsRect frame = designed;
  if (left > 0) frame.left = left;
  if (top > 0) frame.top = top;
  if (height > 0) frame.height = height;
  if (width > 0) frame.width = width;
  return frame;
}

TwipsRect KeepOnScreen(const TwipsRect& frame, const std::vector<TwipsRect>& screens) {
  if (screens.empty()) return frame;
  for (const TwipsRect& screen : screens) {
    if (ShowsTitle(screen, frame)) return frame;
  }
  const TwipsRect& primary = screens.front();
  TwipsRect moved = frame;
  moved.left = Clamp(frame.left, frame.width, primary.left, primary.width);
  moved.top = Clamp(frame.top, frame.height, primary.top, primary.height);
  return moved;
}

}  // namespace qv
