#include "converter/designed_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace qv {

QSize OpeningSize(QSize designed, QSize available, QSize frame) {
  return designed.boundedTo((available - frame).expandedTo(QSize(0, 0)));
}

QRect OpeningRect(QSize designed, QRect available, QSize frame) {
  const QSize size = OpeningSize(designed, available.size(), frame);
  // The frame's title bar sits above the window's own top edge.
  const int titleBar = frame.height() - frame.width() / 2;
  QRect rect(QPoint(0, 0), size);
  rect.moveCenter(available.center());
  rect.moveLeft(std::max(rect.left(), available.left() + frame.width() / 2));
  rect.moveTop(std::max(rect.top(), available.top() + titleBar));
  return rect;
}

void PlaceAtDesignedSize(QWidget* window, QSize designed) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  window->setGeometry(OpeningRect(designed, screen->availableGeometry()));
}

}  // namespace qv
