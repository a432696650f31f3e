#include "converter/focus_watcher.h"

#include <utility>

#include <QFocusEvent>

namespace qv {

FocusWatcher::FocusWatcher(QObject* control, std::function<void()> lostFocus)
    : QObject(control), m_lostFocus(std::move(lostFocus)) {
  control->installEventFilter(this);
}

bool FocusWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) m_lostFocus();
  }
  return QObject::eventFilter(watched, event);
}

void FocusWatcher::Detach() {
  parent()->removeEventFilter(this);
}

FocusWatcher* OnLostFocus(QObject* control, std::function<void()> lostFocus) {
  return new FocusWatcher(control, std::move(lostFocus));  // owned by control
}

}  // namespace qv
