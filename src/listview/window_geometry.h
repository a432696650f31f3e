#pragma once
// Window layout persistence for Qt windows: the outer frame in twips, stored and restored
// under the window's object name (see app/window_layout.h).

class QWidget;

namespace qv {

/// Stores where window's frame is and how large, as its screen reports them.
void SaveWindowLayout(QWidget* window);

/// Moves and sizes window as stored (each value only when greater than 0), then onto the
/// primary screen when no screen would show its title bar.
void LoadWindowLayout(QWidget* window);

}  // namespace qv
