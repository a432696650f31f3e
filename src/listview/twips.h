#pragma once
// Twips, the unit layouts are kept in, against Qt's pixels: 1440 twips per logical inch of
// the screen a widget is on (15 twips per pixel at 96 DPI).

#include <cstdint>

class QScreen;
class QWidget;

namespace qv {

/// Twips per pixel of screen (the primary screen when null; 15 when there is none).
double TwipsPerPixel(const QScreen* screen);
/// Twips per pixel of the screen widget is on.
double TwipsPerPixel(const QWidget* widget);
/// Pixels on widget's screen as whole twips, rounded.
int32_t PixelsToTwips(const QWidget* widget, double pixels);
/// Twips as whole pixels on widget's screen, rounded.
int TwipsToPixels(const QWidget* widget, double twips);

}  // namespace qv
