#pragma once
// A control's Validate event: run when the input focus leaves the control for another control
// of its window; when the handler cancels, the focus goes back to the control.

#include <functional>

#include <QObject>

class QWidget;

namespace qv {

/// An event filter that calls validate(&cancel) on QEvent::FocusOut, except when the focus went
/// to another window or a popup (a message box the handler shows does not validate again).
/// A cancel puts the focus back on the control once the focus change is over.
class ValidateFilter : public QObject {
 public:
  /// Watches control; the filter is a child of control and dies with it.
  ValidateFilter(QWidget* control, std::function<void(bool* cancel)> validate);
  /// Stops calling the handler (the window is going away).
  void Detach();

 protected:
  /// Runs the handler on a focus loss inside the window; never consumes the event.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* m_control;
  std::function<void(bool*)> m_validate;
};

}  // namespace qv
