#pragma once
// The window of a tooltip: an optional title line with its icon above the text, in the
// tooltip's colours, wrapped at a maximum width, rectangular or balloon-shaped. It follows
// the pointer over its tool by itself: it shows once the pointer rests over the tool for the
// delay, hides after the visible time, when the pointer leaves or on a click or key.

#include <cstdint>
#include <string>

#include <QColor>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace qv {

/// How a tip looks and behaves; colours that are not valid mean the system's.
struct TipLook {
  bool balloon = false;
  bool centered = false;  ///< centred below the tool instead of below the pointer
  int32_t icon = 0;       ///< title icon: 0 none, 1 information, 2 warning, 3 error
  std::string title;      ///< shown only with a title or an icon set
  bool showTitle = false;
  std::string text;  ///< lines separated by CR, LF or CR LF
  QColor foreColor;
  QColor backColor;
  int32_t maxWidth = 8000;      ///< pixels; longer lines wrap at blanks
  int32_t visibleTime = 10000;  ///< milliseconds shown
  int32_t delayTime = 500;      ///< milliseconds the pointer rests before it shows
};

/// A tooltip window over one tool widget; a child of the tool, so it goes with it.
class TipWindow : public QWidget {
 public:
  /// A hidden tip for tool (not null) that starts watching the pointer over it.
  TipWindow(QWidget* tool, const TipLook& look);
  ~TipWindow() override;

  /// What the tip shows and how; changes apply at once.
  const TipLook& Look() const { return m_look; }
  /// Replaces the look and lays the tip out again.
  void SetLook(const TipLook& look);
  /// Starts the delay after which the tip shows, as a pointer coming to rest over the tool does.
  void Arm();
  /// Shows the tip now, where it belongs for the pointer's position.
  void Popup();
  /// Hides the tip and stops its timers.
  void Withdraw();

  /// The room the tip's contents need, in pixels.
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Watch(QWidget* widget);
  void Relayout();
  QRect TextRect() const;
  QRect TitleRect() const;
  int Margin() const;
  int StemHeight() const;

  QPointer<QWidget> m_tool;
  TipLook m_look;
  QTimer m_delay;
  QTimer m_visible;
  bool m_spent = false;  // shown and timed out: not again until the pointer leaves the tool
};

}  // namespace qv
