#pragma once
// "Column Sort Details": the modal dialog in which the user chooses how one column of a list
// sorts, up to three keys each naming a column of the list and an order. The choice is the
// column's Tag: its sort code followed by the keys, "S>2,<4,1".

#include <array>
#include <cstdint>
#include <string>

#include <QDialog>
#include <QPointer>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;

namespace qv {

class ReportList;

/// The column sort dialog. Key arrays are indexed 0 to 2; controls keep their names as
/// object names with the index ("Cb_Order_1").
class ColSort_Frm : public QDialog {
 public:
  /// Builds the controls with their designed captions.
  explicit ColSort_Frm(QWidget* parent = nullptr);

  /// Fills the dialog for column (1-based) of listView, called from caller, and shows it
  /// modally; returns when it is closed.
  void Disp_Frm(QWidget* caller, ReportList* listView, int32_t column);
  /// Sets the key rows from the column's Tag.
  void LoadSDetails();
  /// Key k's order changed: its column choice is enabled unless the order is "Not Used".
  void Cb_Order_Click(int k);
  /// Writes the Tag from the key rows and closes.
  void M_SaveExit_Click();
  /// Closes without writing.
  void M_Cancel_Click();

  // Controls (owned by the dialog through Qt's parent chain).
  QLabel* L_ListView = nullptr;
  std::array<QGroupBox*, 3> Fr_Column{};
  std::array<QComboBox*, 3> Cb_Column{};
  std::array<QComboBox*, 3> Cb_Order{};
  QComboBox* Cb_ColHeader = nullptr;
  QAction* M_SaveExit = nullptr;
  QAction* M_Cancel = nullptr;

 private:
  void BuildWindow();

  QPointer<QWidget> m_caller;
  QPointer<ReportList> m_listView;
  int32_t m_column = 0;
};

}  // namespace qv
