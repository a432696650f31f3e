#pragma once
// An editable combo box that tells its window before its list opens, so the window can
// refresh the list first.

#include <functional>

#include <QComboBox>

namespace qv {

/// A QComboBox whose drop-down handler runs before the list is shown.
class HistoryCombo : public QComboBox {
 public:
  /// An editable combo box that adds nothing typed to its list by itself.
  explicit HistoryCombo(QWidget* parent = nullptr);
  /// Sets the handler run before every opening of the list; an empty one runs nothing.
  void OnDropDown(std::function<void()> dropDown);
  /// Runs the drop-down handler, then opens the list as it then stands.
  void showPopup() override;

 private:
  std::function<void()> m_dropDown;
};

}  // namespace qv
