#include "converter/history_combo.h"

#include <utility>

namespace qv {

HistoryCombo::HistoryCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
}

void HistoryCombo::OnDropDown(std::function<void()> dropDown) {
  m_dropDown = std::move(dropDown);
}

void HistoryCombo::showPopup() {
  if (m_dropDown) m_dropDown();
  QComboBox::showPopup();
}

}  // namespace qv
