#include "listview/ctooltip.h"

#include <QCoreApplication>

#include "listview/tip_window.h"

namespace qv {
namespace {

QColor ColorOf(uint32_t color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace

CTooltip::CTooltip() = default;

CTooltip::~CTooltip() {
  Destroy();
}

void CTooltip::SetIcon(int32_t icon) {
  m_icon = icon;
  if (m_window == nullptr || m_title.empty() || m_icon == 0) return;
  TipLook look = m_window->Look();
  look.showTitle = true;
  look.title = m_title;
  look.icon = m_icon;
  m_window->SetLook(look);
}

void CTooltip::SetTitle(const std::string& title) {
  m_title = title;
  SetIcon(m_icon);
}

void CTooltip::SetForeColor(uint32_t color) {
  m_foreColor = color;
  if (m_window == nullptr) return;
  TipLook look = m_window->Look();
  look.foreColor = ColorOf(color);
  m_window->SetLook(look);
}

void CTooltip::SetBackColor(uint32_t color) {
  m_backColor = color;
  if (m_window == nullptr) return;
  TipLook look = m_window->Look();
  look.backColor = ColorOf(color);
  m_window->SetLook(look);
}

void CTooltip::SetTipText(const std::string& text) {
  m_tipText = text;
  if (m_window == nullptr) return;
  TipLook look = m_window->Look();
  look.text = text;
  m_window->SetLook(look);
}

void CTooltip::SetTipWidth(int32_t pixels) {
  m_tipWidth = pixels;
  if (m_window == nullptr) return;
  TipLook look = m_window->Look();
  look.maxWidth = pixels;
  m_window->SetLook(look);
}

void CTooltip::Create(QWidget* tool) {
  Destroy();
  if (tool == nullptr) return;
  TipLook look;
  look.balloon = m_style == 1;
  look.centered = m_centered;
  look.text = m_tipText;
  if (!m_title.empty() || m_icon != 0) {
    look.showTitle = true;
    look.title = m_title;
    look.icon = m_icon;
  }
  if (m_foreColor != 0) look.foreColor = ColorOf(m_foreColor);
  if (m_backColor != 0) look.backColor = ColorOf(m_backColor);
  look.visibleTime = m_visibleTime;
  look.delayTime = m_delayTime;
  look.maxWidth = m_tipWidth;
  m_window = new TipWindow(tool, look);  // owned by the tool, removed by Destroy
  // The pointer may already rest over the tool (a cell tip is made on a mouse move there).
  if (tool->underMouse()) m_window->Arm();
}

void CTooltip::Destroy() {
  // Once the application is gone, so are the windows' tools and with them the tips.
  if (m_window != nullptr && QCoreApplication::instance() != nullptr) delete m_window.data();
  m_window = nullptr;
}

}  // namespace qv
