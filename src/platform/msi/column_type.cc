#include "platform/msi/column_type.h"

#include "platform/base/ascii_case.h"

namespace qv::msi {

int ColumnWidth(int type, int stringReferenceSize) {
  if (IsBinaryColumn(type)) return 2;
  if (IsStringColumn(type)) return stringReferenceSize;
  return (type & kColumnSizeMask) <= 2 ? 2 : 4;
}

std::string IdtTypeText(int type) {
  const bool nullable = IsNullableColumn(type);
  if (IsBinaryColumn(type)) return nullable ? "V0" : "v0";
  if (IsStringColumn(type)) {
    char letter = (type & kColumnLocalizable) ? 'l' : 's';
    if (nullable) letter = AsciiToUpper(letter);
    std::string text(1, letter);
    text += std::to_string(type & kColumnSizeMask);
    return text;
  }
  std::string text(nullable ? "I" : "i");
  text += (type & kColumnSizeMask) <= 2 ? '2' : '4';
  return text;
}

}  // namespace qv::msi
