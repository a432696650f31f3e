// The "Long File Names - Short File Names" tab: a path and its 8.3 form.

#include "converter/converter_frm.h"

namespace qv {

// Converting between long and short paths arrives with the file-system view; until then the
// tab's fields keep what was typed.
void Converter_Frm::FileNameFieldLeft(bool shortField) {
  (void)shortField;
}

}  // namespace qv
