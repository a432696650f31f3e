#include "converter/qt_text.h"

namespace qv {

QString QtText(const std::string& text) {
  QString result = QString::fromStdString(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QChar('\r'), QChar('\n'));
  return result;
}

std::string StdText(const QString& text) {
  return text.toStdString();
}

}  // namespace qv
