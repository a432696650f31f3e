#include "listview/text_width.h"

#include <QFont>
#include <QFontMetricsF>
#include <QWidget>

#include "listview/report_list.h"
#include "listview/twips.h"

namespace qv {
namespace {

// The font a width is measured in: the widget's family, size, italic and underline; the
// weight is the caller's choice alone.
QFont MeasuringFont(const QFont& source, bool bold) {
  QFont font(source.family());
  if (source.pointSizeF() > 0) {
    font.setPointSizeF(source.pointSizeF());
  } else if (source.pixelSize() > 0) {
    font.setPixelSize(source.pixelSize());
  }
  font.setItalic(source.italic());
  font.setUnderline(source.underline());
  font.setBold(bold);
  return font;
}

}  // namespace

int32_t TextWidthTwips(const QFont& font, const std::string& text, const QWidget* widget) {
  const QFontMetricsF metrics =
      widget != nullptr ? QFontMetricsF(font, widget) : QFontMetricsF(font);
  return PixelsToTwips(widget, metrics.horizontalAdvance(QString::fromStdString(text)));
}

void GetLvTextWidth(const ReportList* list, const std::string& text, bool bold, int32_t* width) {
  GetObjectTextWidth(list, text, bold, width);
}

void GetObjectTextWidth(const QWidget* object, const std::string& text, bool bold, int32_t* width) {
  if (object == nullptr) {
    *width = 0;
    return;
  }
  *width = TextWidthTwips(MeasuringFont(object->font(), bold), text, object);
}

void TextWidthFRM(const std::string& text, int32_t* width) {
  QFont font(QStringLiteral("Small Fonts"));
  font.setPointSizeF(6.75);
  font.setBold(false);
  *width = TextWidthTwips(font, text, nullptr);
}

}  // namespace qv
