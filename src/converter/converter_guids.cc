// The "GUIDs" tab: a standard GUID and its packed form, and what the GUID is on this machine.

#include <QLabel>
#include <QLineEdit>

#include "converter/converter_frm.h"
#include "converter/qt_text.h"
#include "guids/guid_forms.h"
#include "guids/guid_identification.h"

namespace qv {

void Converter_Frm::GuidFieldLeft(bool packedField) {
  QLineEdit* left = packedField ? T_ConvVal[0] : T_OrigValue[0];
  QLineEdit* other = packedField ? T_OrigValue[0] : T_ConvVal[0];
  const std::string text = StdText(left->text());
  // An emptied field empties the other one; the last description stays for reference.
  if (text.empty()) {
    other->clear();
    return;
  }
  const std::string converted = packedField ? UnpackGUID(text) : PackGUID(text);
  std::string description;
  IdentifyGUID(packedField ? converted : text, &description);
  L_GUIDDetails->setText(QtText(description));
  other->setText(QString::fromStdString(converted));
}

}  // namespace qv
