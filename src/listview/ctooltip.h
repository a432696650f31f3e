#pragma once
// A tooltip put on a window: a title with an icon, the text, colours, delays and a maximum
// width, in a rectangle or a balloon. Properties set before Create shape the tip Create makes;
// some apply at once to a tip that exists, the others at the next Create.

#include <cstdint>
#include <string>

#include <QPointer>

#include "listview/tip_window.h"

class QWidget;

namespace qv {

/// One tooltip and its window (none until Create; each Create replaces it).
class CTooltip {
 public:
  /// A tooltip with the defaults: rectangular, not centred, no icon, the system's colours, no
  /// title, no text, 8000 pixels wide at most, visible 10 s, shown after 0.5 s.
  CTooltip();
  /// Runs Destroy.
  ~CTooltip();
  CTooltip(const CTooltip&) = delete;
  CTooltip& operator=(const CTooltip&) = delete;

  /// 1 gives a balloon tip, any other value a rectangle; from the next Create.
  int32_t Style() const { return m_style; }
  void SetStyle(int32_t style) { m_style = style; }
  /// True centres the tip below its tool; from the next Create.
  bool Centered() const { return m_centered; }
  void SetCentered(bool centered) { m_centered = centered; }
  /// The title's icon: 0 none, 1 information, 2 warning, 3 error.
  int32_t icon() const { return m_icon; }
  /// Sets the icon; a tip that exists shows it only when the title is not empty and the
  /// icon is not 0.
  void SetIcon(int32_t icon);
  /// Text colour as 0x00BBGGRR; 0 keeps the system's colour at Create.
  uint32_t ForeColor() const { return m_foreColor; }
  /// Sets the text colour; a tip that exists takes it at once (0 there is black).
  void SetForeColor(uint32_t color);
  /// Background colour as 0x00BBGGRR; 0 keeps the system's colour at Create.
  uint32_t BackColor() const { return m_backColor; }
  /// Sets the background colour; a tip that exists takes it at once (0 there is black).
  void SetBackColor(uint32_t color);
  /// The title line.
  const std::string& Title() const { return m_title; }
  /// Sets the title; a tip that exists shows it only when it is not empty and the icon is
  /// not 0.
  void SetTitle(const std::string& title);
  /// Sets the tip's text (lines separated by CR); a tip that exists shows it at once.
  void SetTipText(const std::string& text);
  /// The widest the tip grows, in pixels, before lines wrap.
  int32_t TipWidth() const { return m_tipWidth; }
  /// Sets the maximum width; a tip that exists takes it at once.
  void SetTipWidth(int32_t pixels);
  /// Milliseconds the tip stays visible; from the next Create.
  int32_t VisibleTime() const { return m_visibleTime; }
  void SetVisibleTime(int32_t milliseconds) { m_visibleTime = milliseconds; }
  /// Milliseconds the pointer rests over the tool before the tip shows; from the next Create.
  int32_t DelayTime() const { return m_delayTime; }
  void SetDelayTime(int32_t milliseconds) { m_delayTime = milliseconds; }

  /// Puts a new tip window on tool (replacing this object's earlier one), with the title only
  /// when there is a title or an icon and the colours only when they are not 0.
  void Create(QWidget* tool);
  /// Removes the tip window, if any.
  void Destroy();
  /// The tip window; null before Create, after Destroy or once the tool is gone.
  TipWindow* Window() const { return m_window.data(); }

 private:
  int32_t m_style = 0;
  bool m_centered = false;
  int32_t m_icon = 0;
  uint32_t m_foreColor = 0;
  uint32_t m_backColor = 0;
  std::string m_title;
  std::string m_tipText;
  int32_t m_tipWidth = 8000;
  int32_t m_visibleTime = 10000;
  int32_t m_delayTime = 500;
  QPointer<TipWindow> m_window;
};

}  // namespace qv
