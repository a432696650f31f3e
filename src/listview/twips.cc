#include "listview/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultTwipsPerPixel = 15.0;

}  // namespace

double TwipsPerPixel(const QScreen* screen) {
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return kDefaultTwipsPerPixel;
  const double dpi = screen->logicalDotsPerInchX();
  return dpi > 0 ? kTwipsPerInch / dpi : kDefaultTwipsPerPixel;
}

double TwipsPerPixel(const QWidget* widget) {
  return TwipsPerPixel(widget != nullptr ? widget->screen() : nullptr);
}

int32_t PixelsToTwips(const QWidget* widget, double pixels) {
  const double twips = std::round(pixels * TwipsPerPixel(widget));
  return static_cast<int32_t>(std::clamp(twips, -2147483648.0, 2147483647.0));
}

int TwipsToPixels(const QWidget* widget, double twips) {
  const double pixels = std::round(twips / TwipsPerPixel(widget));
  return static_cast<int>(std::clamp(pixels, -2147483648.0, 2147483647.0));
}

}  // namespace qv
