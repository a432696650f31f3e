// The "GUIDs" tab: a standard GUID and its packed form, and what the GUID is on this machine.

#include "converter/converter_frm.h"

namespace qv {

// Converting and identifying the GUID arrives with the GUID identification; until then the
// tab's fields keep what was typed.
void Converter_Frm::GuidFieldLeft(bool packedField) {
  (void)packedField;
}

}  // namespace qv
