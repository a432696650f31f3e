#pragma once
// Runs a control's LostFocus handler when the input focus leaves it for another control of
// the same window.

#include <functional>

#include <QObject>

namespace qv {

/// An event filter that calls its handler on QEvent::FocusOut, except when the focus went to
/// another window or a popup, so a message box raised by the handler does not fire it again.
class FocusWatcher : public QObject {
 public:
  /// Watches control; the watcher is a child of control and dies with it.
  FocusWatcher(QObject* control, std::function<void()> lostFocus);
  /// Stops watching, so a window being destroyed gets no handler calls.
  void Detach();

 protected:
  /// Calls the handler on a focus loss inside the window; never consumes the event.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> m_lostFocus;
};

/// Installs a FocusWatcher owned by control; the pointer stays valid while control lives.
FocusWatcher* OnLostFocus(QObject* control, std::function<void()> lostFocus);

}  // namespace qv
