#pragma once
// The file selection window "MsiDir_Frm": lists the installer files of a folder with their
// details and hands the chosen one back to the window that opened it. It opens without
// blocking its caller and closes itself once a file has been handed back.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QMainWindow>
#include <QPointer>

#include "details/file_rows.h"
#include "selection/file_dialogs.h"

class QAction;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace qv {

class ReportList;
class ValidateFilter;

/// Opens the help window at the part on the file selection window.
void ShowSelectionHelp(QWidget* window);

/// The file selection window. Controls keep their names as Qt object names.
class MsiDir_Frm : public QMainWindow {
 public:
  /// Receives the chosen file's path (Windows form) in the caller.
  using FileReceiver = std::function<void(const std::string& path)>;

  /// Builds every control; the window is not shown until Disp_Frm. The window deletes itself
  /// when closed.
  explicit MsiDir_Frm(QWidget* parent = nullptr);
  ~MsiDir_Frm() override;

  /// Opens the window without blocking over CallerForm: mode (".Msi" when empty), the start
  /// folder (the process's current folder when empty), which buttons show (-1: all), the
  /// dialog title ("Select Msi Files" when empty) and whether the folder picker hides its
  /// new-folder button (-1). receiver gets the chosen file (PassFileToConverter).
  void Disp_Frm(QWidget* CallerForm, const std::string& Mode, const std::string& StartDir,
                int32_t ButtonLayout, const std::string& DialogTitleText, int32_t NoNewFolder,
                FileReceiver receiver);

  /// Rebuilds the list for the name box: that file alone when it names one, else the files of
  /// CurrentDir. Rows arrive while the event loop runs (ListingDone tells when all are in).
  void LoadLv_MsiFiles();
  /// Validates the chosen path (FilePath, or the name box and the selected row when empty)
  /// and hands it to the caller; false when nothing was handed back.
  bool ReturnSelectedFile(std::string* FilePath, bool* Cancel);
  /// Hands FilePath to the caller's installer-file box and its validation.
  void PassFileToConverter(const std::string& FilePath);
  /// Shows the folder picker; returns the chosen folder in Windows form, "" when cancelled.
  std::string BrowseForFolder(QWidget* Owner, const std::string& Prompt,
                              const std::string& StartFolder, int32_t IncludeFiles,
                              int32_t NewStyle, int32_t NoNewFolderButton);

  // Event handlers.
  /// "Display detailed selection list ...": lists the folder of the name box.
  void Cm_Selfiles_Click();
  /// "Directory": picks a folder and lists it.
  void Cm_GetDir_Click();
  /// "File": picks a file with the file-open dialog and lists it alone.
  void Cm_Commdlg_Click();
  /// The focus is leaving the name box: lists the typed folder, or says it is not valid.
  void T_Dirname_Validate(bool* Cancel);
  /// A row was clicked (or reached with the keys): it becomes the selected file.
  void Lv_MSIFiles_ItemClick();
  /// "Return Selected File".
  void M_Select_Click();
  /// "Return with no File Selected": closes without handing anything back.
  void M_Exit_Click();
  /// "Help".
  void M_Help_Click();
  /// Lays the frames and the list out for the window's size.
  void Form_Resize();
  /// Stores the window's and the list's layout and gives the caller its pointer back.
  void Form_Unload();

  /// True when the list holds every row of the last rebuild.
  bool ListingDone() const { return !m_scan; }
  /// Makes the rest of the rows at once.
  void FinishListing();

  /// The dialogs the window shows (tests put scripted ones in their place).
  FolderDialog folderDialog = RunFolderDialog;
  FileDialog fileDialog = RunFileDialog;
  /// Shows help for this window: the help window at the file selection topic.
  std::function<void(QWidget* window)> helpWindow = ShowSelectionHelp;

  // Window state.
  QPointer<QWidget> CallerForm;
  std::string Mode;
  std::string StartDir;
  int32_t ButtonLayout = 0;
  int32_t NoNewFolder = 0;
  std::string CurrentDir;
  std::string TypeLabel;
  std::string SelectedFile;
  int32_t FileCount = 0;
  int32_t ValidateArmed = 0;
  int32_t LastKeyCode = 0;
  std::string DialogTitle;  ///< the file dialog's title, also the window's caption

  // Controls (owned by the window through Qt's parent chain).
  QGroupBox* Fr_Details = nullptr;
  QPushButton* Cm_Selfiles = nullptr;
  QGroupBox* Fr_MSIDetails = nullptr;
  ReportList* Lv_MSIFiles = nullptr;
  QGroupBox* Fr_Drive = nullptr;
  QLineEdit* T_Dirname = nullptr;
  QGroupBox* Frame1 = nullptr;
  QPushButton* Cm_GetDir = nullptr;
  QPushButton* Cm_Commdlg = nullptr;
  QAction* M_Select = nullptr;
  QAction* M_Exit = nullptr;
  QAction* M_Help = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildWindow();
  void StartListing();
  void ListSome();
  void EndListing();
  void AddRow(FileRow row);
  std::string SelectedItemText() const;

  FileReceiver m_receiver;
  FileListing m_listing;               // the log identity and the count of the current listing
  std::unique_ptr<FolderScan> m_scan;  // the folder being listed; null when done
  QTimer* m_scanTimer = nullptr;       // runs the scan between events
  ValidateFilter* m_validate = nullptr;
  bool m_keyMove = false;  // the next current-row change comes from a key
  bool m_unloaded = false;
};

}  // namespace qv
