#pragma once
// The converter, the program's start window "Conversions": four tabs on which a value typed
// into one field is shown in the other notations once the input focus leaves the field.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include "numbers/operators.h"
#include "platform/base/status.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace qv {

class FocusWatcher;

/// The converter window. Its controls keep their names as Qt object names; arrays carry the
/// index as "_k" (T_OrigValue_2).
class Converter_Frm : public QMainWindow {
 public:
  /// The size the window opens at where the screen allows it; smaller screens get a smaller
  /// window whose tabs scroll.
  static constexpr QSize kDesignedSize{960, 680};

  /// Builds every control; the window is not shown until Disp_Frm.
  explicit Converter_Frm(QWidget* parent = nullptr);
  ~Converter_Frm() override;

  /// Opens the window without blocking: keeps the caller, restores the saved values and
  /// converts them. msiFile receives the saved installer file; result is left empty.
  void Disp_Frm(QWidget* caller, std::string& msiFile, const std::string& value, int16_t presetMode,
                std::string* result);
  /// Saves the remembered values; ends the program when the caller is the converter itself.
  void Form_Unload();
  /// "Return": closes the window.
  void M_Exit_Click();

  /// The decimal (numeric tabs), standard GUID (0) or long path (1) field k lost the focus.
  void T_OrigValue_LostFocus(int16_t index);
  /// The hex (numeric tabs), packed GUID (0) or short path (1) field k lost the focus.
  void T_ConvVal_LostFocus(int16_t index);
  /// The bit list of numeric group k (2 to 4) lost the focus.
  void T_Bits_LostFocus(int16_t index);
  /// The bit-value list of numeric group k (2 to 4) lost the focus.
  void T_BitsHex_LostFocus(int16_t index);
  /// An operator was chosen: recomputes the result group.
  void Op_Operator_Click(int16_t index);

  /// The record with keys lost the focus: shows it with full paths in T_Formatted, quoted.
  void T_Original_LostFocus();
  /// The record with full paths lost the focus: shows it with keys in T_Original.
  void T_Formatted_LostFocus();
  /// Before the installer-file list opens: validates the text when the list is stale.
  void Cb_ConvMsiFiles_DropDown();
  /// The focus is leaving the installer-file combo: accepts its text into the history, or
  /// sets *cancel when it is not a valid installer package.
  void Cb_ConvMsiFiles_Validate(bool* cancel);
  /// "Browse": opens the file selection window, which hands the chosen file to the combo.
  void Cm_BMsiFile_Click();

  /// The bit list of value ("1,3" for 5).
  std::string BitsSetVB(int32_t value) const;
  /// Puts the selected operator's result of A and B into Values[2] (0 after an error).
  void Calculate();

  /// A, B, the result and a spare slot that is never shown.
  std::array<int32_t, 4> Values{};

  // Controls (owned by the window through Qt's parent chain).
  QTabWidget* SSTab1 = nullptr;
  std::array<QLineEdit*, 5> T_OrigValue{};
  std::array<QLineEdit*, 5> T_ConvVal{};
  std::array<QLineEdit*, 5> T_Bits{};      ///< indices 2 to 4
  std::array<QLineEdit*, 5> T_BitsHex{};   ///< indices 2 to 4
  std::array<QGroupBox*, 5> Fr_Bits{};     ///< frames around T_Bits, indices 2 to 4
  std::array<QGroupBox*, 5> Fr_BitsHex{};  ///< frames around T_BitsHex, indices 2 to 4
  std::array<QRadioButton*, kOperatorCount> Op_Operator{};
  QLabel* L_GUIDDetails = nullptr;
  QComboBox* Cb_ConvMsiFiles = nullptr;
  QPushButton* Cm_BMsiFile = nullptr;
  QPlainTextEdit* T_Original = nullptr;
  QPlainTextEdit* T_Formatted = nullptr;
  QLabel* Label1 = nullptr;
  QAction* M_Exit = nullptr;

 protected:
  /// Every way of closing the window (close box, "Return") runs Form_Unload.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWindow();
  QWidget* BuildGuidTab();
  QWidget* BuildNumericTab();
  QWidget* BuildRecordTab();
  QWidget* BuildFileNameTab();
  QGroupBox* BuildNumericGroup(int index, const QString& caption);
  void WatchFocus();
  void WatchRecordTab();

  // The conversions of the GUID tab (index 0) and the file-name tab (index 1).
  void GuidFieldLeft(bool packedField);
  void FileNameFieldLeft(bool shortField);

  // The numeric tab's fields of group index (2 to 4).
  using ValueReader = int32_t (*)(std::string_view, Status*);
  void NumberFieldLeft(int index, QLineEdit* field, ValueReader read);
  bool TakeFieldValue(int index, QLineEdit* field, ValueReader read);
  void ShowValue(int index, const QLineEdit* except);
  void ClearGroup(int index, const QLineEdit* except);
  void RecomputeResult();
  void RefuseInput(const std::string& reason);

  std::vector<FocusWatcher*> m_watchers;  ///< owned by the controls they watch
  QPointer<QWidget> m_caller;
  std::string m_compGuid;  ///< standard GUID restored from and saved to the settings
  std::string m_fileName;  ///< long path restored from and saved to the settings
  std::string m_msiFile;   ///< installer file last used on the record tab
  bool m_unloaded = false;
};

}  // namespace qv
