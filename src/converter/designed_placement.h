#pragma once
// Where a window opens: at its designed size, smaller where the screen is smaller, in the
// middle of the screen's free area.

#include <QRect>
#include <QSize>

class QWidget;

namespace qv {

/// Room the window manager's frame (title bar and borders) usually takes around a window.
inline constexpr QSize kFrameAllowance(16, 40);

/// The size a window opens at: the designed size, each side made smaller where the free area
/// of the screen, less the frame, is smaller.
QSize OpeningSize(QSize designed, QSize available, QSize frame = kFrameAllowance);

/// The window's rectangle when it opens: OpeningSize, centred on the free area and kept
/// inside it (the frame's title bar below its top edge).
QRect OpeningRect(QSize designed, QRect available, QSize frame = kFrameAllowance);

/// Gives the window its opening rectangle on the screen it is on (the primary one before
/// it is shown); nothing when there is no screen.
void PlaceAtDesignedSize(QWidget* window, QSize designed);

}  // namespace qv
