#include "listview/tip_window.h"

#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <climits>

namespace qv {
namespace {

constexpr int kIconSize = 16;
constexpr int kIconGap = 4;
constexpr int kTitleGap = 4;
// The tip stands this far below the pointer, clear of the cursor's shape.
constexpr int kBelowPointer = 20;

QString TipText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QChar('\r'), QChar('\n'));
  return shown;
}

QFont TitleFont(const QFont& base) {
  QFont font = base;
  font.setBold(true);
  return font;
}

QStyle::StandardPixmap IconPixmap(int32_t icon) {
  switch (icon) {
    case 2:
      return QStyle::SP_MessageBoxWarning;
    case 3:
      return QStyle::SP_MessageBoxCritical;
    default:
      return QStyle::SP_MessageBoxInformation;
  }
}

}  // namespace

TipWindow::TipWindow(QWidget* tool, const TipLook& look)
    : QWidget(tool, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput),
      m_tool(tool),
      m_look(look) {
  setObjectName(QStringLiteral("CTooltip"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFont(QToolTip::font());
  m_delay.setSingleShot(true);
  m_visible.setSingleShot(true);
  connect(&m_delay, &QTimer::timeout, this, [this] { Popup(); });
  connect(&m_visible, &QTimer::timeout, this, [this] {
    Withdraw();
    m_spent = true;
  });
  Watch(tool);
  for (QWidget* child : tool->findChildren<QWidget*>()) {
    if (child != this && !child->isWindow()) Watch(child);
  }
  Relayout();
}

TipWindow::~TipWindow() = default;

void TipWindow::SetLook(const TipLook& look) {
  m_look = look;
  Relayout();
}

void TipWindow::Watch(QWidget* widget) {
  widget->installEventFilter(this);
}

int TipWindow::Margin() const {
  return m_look.balloon ? 8 : 4;
}

int TipWindow::StemHeight() const {
  return m_look.balloon ? 10 : 0;
}

QRect TipWindow::TitleRect() const {
  if (!m_look.showTitle) return QRect();
  const QFontMetrics metrics(TitleFont(font()));
  const int iconWidth = m_look.icon != 0 ? kIconSize + kIconGap : 0;
  const int width = iconWidth + metrics.horizontalAdvance(QString::fromStdString(m_look.title));
  return QRect(Margin(), Margin() + StemHeight(), width, std::max(metrics.height(), kIconSize));
}

QRect TipWindow::TextRect() const {
  const QFontMetrics metrics(font());
  const int wrapWidth = m_look.maxWidth > 0 ? m_look.maxWidth : INT_MAX / 4;
  QRect bounds = metrics.boundingRect(QRect(0, 0, wrapWidth, INT_MAX / 4),
                                      Qt::AlignLeft | Qt::TextWordWrap, TipText(m_look.text));
  const QRect title = TitleRect();
  const int top = title.isNull() ? Margin() + StemHeight() : title.bottom() + 1 + kTitleGap;
  return QRect(Margin(), top, bounds.width(), bounds.height());
}

QSize TipWindow::sizeHint() const {
  const QRect title = TitleRect();
  const QRect text = TextRect();
  const int width = std::max(title.isNull() ? 0 : title.width(), text.width());
  return QSize(width + 2 * Margin(), text.bottom() + 1 + Margin());
}

void TipWindow::Relayout() {
  resize(sizeHint());
  if (m_look.balloon) {
    QPainterPath path;
    const QRectF body(0, StemHeight(), width(), height() - StemHeight());
    path.addRoundedRect(body, 8, 8);
    QPainterPath stem;
    stem.moveTo(14, StemHeight() + 1);
    stem.lineTo(16, 0);
    stem.lineTo(28, StemHeight() + 1);
    stem.closeSubpath();
    path = path.united(stem);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
  } else {
    clearMask();
  }
  update();
}

void TipWindow::Arm() {
  if (!isVisible() && !m_spent) m_delay.start(std::max(m_look.delayTime, 0));
}

void TipWindow::Popup() {
  m_delay.stop();
  if (m_tool == nullptr) return;
  QPoint position;
  if (m_look.centered) {
    const QPoint topLeft = m_tool->mapToGlobal(QPoint(0, 0));
    position =
        QPoint(topLeft.x() + (m_tool->width() - width()) / 2, topLeft.y() + m_tool->height());
  } else {
    // A balloon's stem points at the pointer; a rectangle stands below it.
    position =
        QCursor::pos() + QPoint(m_look.balloon ? -16 : 0, m_look.balloon ? 2 : kBelowPointer);
  }
  const QScreen* screen = QGuiApplication::screenAt(position);
  if (screen == nullptr) screen = m_tool->screen();
  if (screen != nullptr) {
    const QRect room = screen->availableGeometry();
    position.setX(
        std::clamp(position.x(), room.left(), std::max(room.left(), room.right() - width())));
    position.setY(
        std::clamp(position.y(), room.top(), std::max(room.top(), room.bottom() - height())));
  }
  move(position);
  show();
  raise();
  if (m_look.visibleTime > 0) m_visible.start(m_look.visibleTime);
}

void TipWindow::Withdraw() {
  m_delay.stop();
  m_visible.stop();
  hide();
}

bool TipWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::HoverMove:
      // The pointer has to rest for the delay: every move while hidden starts it again.
      Arm();
      break;
    case QEvent::Leave:
      if (watched == m_tool) {
        Withdraw();
        m_spent = false;
      }
      break;
    case QEvent::Hide:
      if (watched == m_tool) Withdraw();
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
      Withdraw();
      break;
    default:
      break;
  }
  return false;
}

void TipWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, m_look.balloon);
  const QPalette tips = QToolTip::palette();
  const QColor back =
      m_look.backColor.isValid() ? m_look.backColor : tips.color(QPalette::ToolTipBase);
  const QColor fore =
      m_look.foreColor.isValid() ? m_look.foreColor : tips.color(QPalette::ToolTipText);
  const QRectF body(0.5, StemHeight() + 0.5, width() - 1.0, height() - StemHeight() - 1.0);
  painter.setBrush(back);
  painter.setPen(fore);
  if (m_look.balloon) {
    painter.drawRoundedRect(body, 8, 8);
  } else {
    painter.drawRect(body);
  }
  const QRect title = TitleRect();
  if (!title.isNull()) {
    int x = title.left();
    if (m_look.icon != 0) {
      const QIcon icon = style()->standardIcon(IconPixmap(m_look.icon), nullptr, this);
      painter.drawPixmap(x, title.top() + (title.height() - kIconSize) / 2, icon.pixmap(kIconSize));
      x += kIconSize + kIconGap;
    }
    painter.setFont(TitleFont(font()));
    painter.drawText(QRect(x, title.top(), title.right() - x + 1, title.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(m_look.title));
  }
  painter.setFont(font());
  painter.drawText(TextRect(), Qt::AlignLeft | Qt::TextWordWrap, TipText(m_look.text));
}

}  // namespace qv
