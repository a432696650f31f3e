// The "Numeric Values" tab: A, B and the result in decimal, hex, as set bits and as a sum of
// bit values, and the ten operators between A and B.

#include <QLineEdit>
#include <QRadioButton>

#include "converter/converter_captions.h"
#include "converter/converter_frm.h"
#include "converter/qt_text.h"
#include "numbers/bit_lists.h"
#include "numbers/operators.h"
#include "platform/base/ascii_case.h"
#include "platform/ui/ui.h"
#include "services/bits.h"

namespace qv {
namespace {

void SetField(QLineEdit* field, const std::string& text) {
  field->setText(QString::fromStdString(text));
}

}  // namespace

std::string Converter_Frm::BitsSetVB(int32_t value) const {
  return BitListOf(value);
}

void Converter_Frm::Calculate() {
  int selected = -1;
  for (int i = 0; i < kOperatorCount && selected < 0; ++i) {
    if (Op_Operator[i]->isChecked()) selected = i;
  }
  Values[2] = 0;
  if (selected < 0) return;
  int32_t result = 0;
  if (!ApplyOperator(static_cast<Operator>(selected), Values[0], Values[1], &result)) {
    ui::ShowMessage(kCalculationError, kErrorTitle, ui::Buttons::kOk);
    return;
  }
  Values[2] = result;
}

void Converter_Frm::Op_Operator_Click(int16_t index) {
  (void)index;  // Calculate reads the selection itself
  RecomputeResult();
}

void Converter_Frm::RecomputeResult() {
  Calculate();
  int32_t v = Values[2];
  SetField(T_OrigValue[4], PlainDecimal(v));
  SetField(T_ConvVal[4], PaddedHex(v));
  SetField(T_Bits[4], BitsSetVB(v));
  SetField(T_BitsHex[4], BitsToHexList(v));
}

void Converter_Frm::ShowValue(int index, const QLineEdit* except) {
  int32_t v = Values[index - 2];
  if (T_OrigValue[index] != except) SetField(T_OrigValue[index], SignSlotDecimal(v));
  if (T_ConvVal[index] != except) SetField(T_ConvVal[index], HexDigits(v));
  if (T_Bits[index] != except) SetField(T_Bits[index], BitsSetVB(v));
  if (T_BitsHex[index] != except) SetField(T_BitsHex[index], BitsToHexList(v));
}

void Converter_Frm::ClearGroup(int index, const QLineEdit* except) {
  for (QLineEdit* field : {T_OrigValue[index], T_ConvVal[index], T_Bits[index], T_BitsHex[index]}) {
    if (field != except) field->clear();
  }
  Values[index - 2] = 0;
}

void Converter_Frm::RefuseInput(const std::string& reason) {
  std::string text = reason;
  if (!text.empty()) text[0] = AsciiToUpper(text[0]);
  ui::ShowMessage(text + ".", kErrorTitle, ui::Buttons::kOk);
}

// A decimal or hex field left: an empty field clears its group; A and B recompute the result
// even then, but not after refused input.
void Converter_Frm::NumberFieldLeft(int index, QLineEdit* field, ValueReader read) {
  if (field->text().isEmpty()) {
    ClearGroup(index, field);
  } else if (!TakeFieldValue(index, field, read)) {
    return;
  }
  if (index == 2 || index == 3) RecomputeResult();
}

// Reads a field into the group's value slot and shows the other forms; false (the slot
// unchanged) after refusing unreadable input.
bool Converter_Frm::TakeFieldValue(int index, QLineEdit* field, ValueReader read) {
  Status status;
  const int32_t value = read(StdText(field->text()), &status);
  if (!status.ok()) {
    RefuseInput(status.message());
    return false;
  }
  Values[index - 2] = value;
  ShowValue(index, field);
  return true;
}

void Converter_Frm::T_Bits_LostFocus(int16_t index) {
  if (index < 2 || index > 4) return;
  TakeFieldValue(index, T_Bits[index], &BitsTextToValue);
}

void Converter_Frm::T_BitsHex_LostFocus(int16_t index) {
  if (index < 2 || index > 4) return;
  TakeFieldValue(index, T_BitsHex[index], &HexListToValue);
}

}  // namespace qv
