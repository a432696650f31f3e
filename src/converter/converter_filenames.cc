// The "Long File Names - Short File Names" tab: a path and its 8.3 form.

#include <QLineEdit>

#include "converter/converter_frm.h"
#include "converter/qt_text.h"
#include "platform/fs/win32_paths.h"
#include "services/path_text.h"

namespace qv {
namespace {

// Both calls answer in a buffer of 256 characters, so a longer answer reads as not found.
constexpr uint32_t kPathBufferSize = 256;

}  // namespace

void Converter_Frm::FileNameFieldLeft(bool shortField) {
  QLineEdit* left = shortField ? T_ConvVal[1] : T_OrigValue[1];
  QLineEdit* other = shortField ? T_OrigValue[1] : T_ConvVal[1];
  const std::string path = StdText(left->text());
  if (path.empty()) {
    other->clear();
    return;
  }
  std::string buffer;
  if (shortField) {
    GetLongPathNameA(path, &buffer, kPathBufferSize);
  } else {
    GetShortPathNameA(path, &buffer, kPathBufferSize);
  }
  other->setText(QString::fromStdString(TrimNul(buffer)));
}

}  // namespace qv
