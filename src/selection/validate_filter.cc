#include "selection/validate_filter.h"

#include <QFocusEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace qv {

ValidateFilter::ValidateFilter(QWidget* control, std::function<void(bool* cancel)> validate)
    : QObject(control), m_control(control), m_validate(std::move(validate)) {
  control->installEventFilter(this);
}

void ValidateFilter::Detach() {
  m_validate = nullptr;
}

bool ValidateFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_control || event->type() != QEvent::FocusOut || !m_validate) return false;
  const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
  bool cancel = false;
  m_validate(&cancel);
  if (cancel) {
    QPointer<QWidget> control = m_control;
    QTimer::singleShot(0, control, [control] {
      if (control) control->setFocus(Qt::OtherFocusReason);
    });
  }
  return false;
}

}  // namespace qv
