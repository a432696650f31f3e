#include "listview/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/window_layout.h"
#include "listview/twips.h"

namespace qv {
namespace {

TwipsRect ToTwips(const QRect& pixels, const QScreen* screen) {
  const double perPixel = TwipsPerPixel(screen);
  auto twips = [perPixel](int value) {
    return static_cast<int32_t>(std::lround(value * perPixel));
  };
  return {twips(pixels.x()), twips(pixels.y()), twips(pixels.width()), twips(pixels.height())};
}

}  // namespace

void SaveWindowLayout(QWidget* window) {
  if (window == nullptr) return;
  SaveWindowLayout(window->objectName().toStdString(),
                   ToTwips(window->frameGeometry(), window->screen()));
}

void LoadWindowLayout(QWidget* window) {
  if (window == nullptr) return;
  const QScreen* screen = window->screen();
  const QRect frame = window->frameGeometry();
  TwipsRect layout = LoadWindowLayout(window->objectName().toStdString(), ToTwips(frame, screen));
  std::vector<TwipsRect> screens;
  if (QScreen* primary = QGuiApplication::primaryScreen()) {
    screens.push_back(ToTwips(primary->availableGeometry(), primary));
    for (QScreen* other : QGuiApplication::screens()) {
      if (other != primary) screens.push_back(ToTwips(other->availableGeometry(), other));
    }
  }
  layout = KeepOnScreen(layout, screens);
  const double perPixel = TwipsPerPixel(screen);
  auto pixels = [perPixel](int32_t twips) {
    return static_cast<int>(std::lround(twips / perPixel));
  };
  // Qt sizes the inside of a window; the frame's own border and title bar come on top.
  const int extraWidth = frame.width() - window->width();
  const int extraHeight = frame.height() - window->height();
  window->move(pixels(layout.left), pixels(layout.top));
  window->resize(std::max(pixels(layout.width) - extraWidth, 0),
                 std::max(pixels(layout.height) - extraHeight, 0));
}

}  // namespace qv
