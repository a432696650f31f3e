// The file selection window: its controls, opening and closing, and the hand-back of the
// chosen file. The list's rebuild is in msidir_listing.cc, the layout in msidir_layout.cc.

#include "selection/msidir_frm.h"

#include <unistd.h>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "app/window_layout.h"
#include "help/help_window.h"
#include "listview/list_layout.h"
#include "listview/report_list.h"
#include "listview/window_geometry.h"
#include "platform/ui/ui.h"
#include "selection/msidir_captions.h"
#include "selection/validate_filter.h"
#include "services/file_functions.h"
#include "services/path_text.h"
#include "services/text_case.h"

namespace qv {
namespace {

// Visual Basic's key codes of the keys that move through the list by pages and to its ends.
constexpr int32_t kKeyPageUp = 33;
constexpr int32_t kKeyPageDown = 34;
constexpr int32_t kKeyEnd = 35;
constexpr int32_t kKeyHome = 36;

int32_t KeyCodeOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_PageUp:
      return kKeyPageUp;
    case Qt::Key_PageDown:
      return kKeyPageDown;
    case Qt::Key_End:
      return kKeyEnd;
    case Qt::Key_Home:
      return kKeyHome;
    default:
      // Letters and digits keep their codes; other keys are not told apart here.
      return qtKey < 0x100 ? qtKey : 0;
  }
}

// The process's current folder, in Windows form.
std::string CurrentFolder() {
  std::string buffer(4096, '\0');
  if (getcwd(buffer.data(), buffer.size()) == nullptr) return "";
  return WindowsFormOf(TrimNul(buffer));
}

// Every doubled backslash made single.
std::string SingleBackslashes(std::string path) {
  for (size_t at = path.find("\\\\"); at != std::string::npos; at = path.find("\\\\", at)) {
    path.erase(at, 1);
  }
  return path;
}

}  // namespace

void ShowSelectionHelp(QWidget* window) {
  ShowHelpWindow(window, HelpTopic::kSelection);
}

MsiDir_Frm::MsiDir_Frm(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("MsiDir_Frm"));
  setAttribute(Qt::WA_DeleteOnClose);
  BuildWindow();
  m_scanTimer = new QTimer(this);
  m_scanTimer->setInterval(0);
  connect(m_scanTimer, &QTimer::timeout, this, [this] { ListSome(); });
  m_validate = new ValidateFilter(T_Dirname, [this](bool* cancel) { T_Dirname_Validate(cancel); });
  connect(Cm_Selfiles, &QPushButton::clicked, this, [this] { Cm_Selfiles_Click(); });
  connect(Cm_GetDir, &QPushButton::clicked, this, [this] { Cm_GetDir_Click(); });
  connect(Cm_Commdlg, &QPushButton::clicked, this, [this] { Cm_Commdlg_Click(); });
  connect(M_Select, &QAction::triggered, this, [this] { M_Select_Click(); });
  connect(M_Exit, &QAction::triggered, this, [this] { M_Exit_Click(); });
  connect(M_Help, &QAction::triggered, this, [this] { M_Help_Click(); });
  // A mouse click is an item click; so is moving to another row with the keys.
  connect(Lv_MSIFiles, &QAbstractItemView::clicked, this, [this] { Lv_MSIFiles_ItemClick(); });
  connect(Lv_MSIFiles->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
    if (!m_keyMove) return;
    m_keyMove = false;
    Lv_MSIFiles_ItemClick();
  });
  Lv_MSIFiles->installEventFilter(this);
  Lv_MSIFiles->viewport()->installEventFilter(this);
}

MsiDir_Frm::~MsiDir_Frm() {
  m_validate->Detach();
  // Deleted without being closed: the caller is going away with it, so only the layouts are
  // stored.
  CallerForm = nullptr;
  if (!m_unloaded) Form_Unload();
}

void MsiDir_Frm::Disp_Frm(QWidget* Caller, const std::string& ModeText, const std::string& Start,
                          int32_t Buttons, const std::string& DialogTitleText, int32_t NoNew,
                          FileReceiver receiver) {
  ButtonLayout = Buttons;
  NoNewFolder = NoNew;
  CallerForm = Caller;
  StartDir = Start;
  CurrentDir.clear();
  Mode = ModeText.empty() ? kDefaultMode : ModeText;
  m_receiver = std::move(receiver);
  Fr_MSIDetails->hide();
  if (ButtonLayout == -1) {
    Cm_Selfiles->show();
    Cm_GetDir->show();
    Cm_Commdlg->show();
  }
  CurrentDir = !StartDir.empty() ? WindowsFormOf(StartDir) : CurrentFolder();
  T_Dirname->setText(QString::fromStdString(CurrentDir));
  TypeLabel = kTypeLabel;
  DialogTitle = !DialogTitleText.empty() ? DialogTitleText : "Select " + TypeLabel + " Files";
  setWindowTitle(QString::fromStdString(DialogTitle));
  Fr_Details->setTitle(
      QString::fromStdString("Show  " + TypeLabel + " files which are located in Directory"));
  Fr_MSIDetails->setTitle(
      QString::fromStdString("Details of " + TypeLabel + " files located in Directory"));
  ValidateArmed = 0;
  show();
  // Form_Load: where the window was left. Once shown, the window's frame is known, so the
  // stored outer size becomes the same outer size again.
  LoadWindowLayout(this);
  raise();
  activateWindow();
  Cm_Selfiles->setFocus(Qt::OtherFocusReason);
}

void MsiDir_Frm::Cm_Selfiles_Click() {
  ValidateArmed = 0;
  T_Dirname->setText(QString::fromStdString(FolderOf(T_Dirname->text().toStdString())));
  LoadLv_MsiFiles();
  Fr_MSIDetails->show();
}

void MsiDir_Frm::Cm_GetDir_Click() {
  Lv_MSIFiles->ClearRows();
  Fr_MSIDetails->hide();
  const std::string typed = T_Dirname->text().toStdString();
  if (!typed.empty() && ExistDir(typed) == 0) CurrentDir = WindowsFormOf(typed);
  for (;;) {
    const std::string chosen = BrowseForFolder(this, kFolderPrompt, CurrentDir, 0, -1, NoNewFolder);
    QCoreApplication::processEvents();
    if (chosen.empty()) return;
    if (ExistFile(chosen) != 0) {
      CurrentDir = chosen;
      T_Dirname->setText(QString::fromStdString(chosen));
      Fr_MSIDetails->show();
      LoadLv_MsiFiles();
      return;
    }
    if (ContainsNoCase(Mode, chosen.size() >= 4 ? chosen.substr(chosen.size() - 4) : chosen)) {
      return;
    }
  }
}

std::string MsiDir_Frm::BrowseForFolder(QWidget* Owner, const std::string& Prompt,
                                        const std::string& StartFolder, int32_t IncludeFiles,
                                        int32_t /*NewStyle: Qt's picker has one style*/,
                                        int32_t NoNewFolderButton) {
  FolderRequest request;
  request.title = Prompt + (IncludeFiles == -1 ? kIncludeFilesPrompt : "");
  request.startFolder = HostFormOf(StartFolder);
  request.includeFiles = IncludeFiles == -1;
  request.noNewFolder = NoNewFolderButton == -1;
  const std::string chosen = folderDialog ? folderDialog(Owner, request) : "";
  return chosen.empty() ? "" : WindowsFormOf(chosen);
}

void MsiDir_Frm::Cm_Commdlg_Click() {
  FileRequest request;
  request.title = DialogTitle;
  request.filterIndex = 1;
  const std::string typed = T_Dirname->text().toStdString();
  if (ExistDir(typed) == 0) {
    request.folder = HostFormOf(typed);
  } else if (ExistFile(typed) == 0) {
    request.folder = HostFormOf(FolderOf(typed));
    request.fileName = NameOf(typed);
  }
  // A cancelled dialog ends the command: the name box and the list stay as they are.
  const std::string chosen = fileDialog ? fileDialog(this, request) : "";
  if (chosen.empty()) return;
  const std::string path = WindowsFormOf(chosen);
  T_Dirname->setText(QString::fromStdString(path));
  CurrentDir = FolderOf(path);
  Fr_MSIDetails->show();
  LoadLv_MsiFiles();
  ValidateArmed = 0;
}

void MsiDir_Frm::T_Dirname_Validate(bool* Cancel) {
  if (ValidateArmed == 0) {
    ValidateArmed = -1;
    return;
  }
  const std::string typed = T_Dirname->text().toStdString();
  // A host path typed into the box is shown and kept in its Windows form.
  const std::string text = WindowsFormOf(typed);
  if (text != typed) T_Dirname->setText(QString::fromStdString(text));
  CurrentDir = text;
  if (ExistFile(text) == 0) return;
  if (ExistDir(text) != 0) {
    ui::ShowMessage("Directory " + typed + " not valid.", kErrorTitle, ui::Buttons::kOk);
    *Cancel = true;
  }
  Cm_Selfiles_Click();
}

void MsiDir_Frm::Lv_MSIFiles_ItemClick() {
  if (LastKeyCode >= kKeyPageUp && LastKeyCode <= kKeyHome) {
    LastKeyCode = 0;
    return;
  }
  if (Lv_MSIFiles->SelectedRow() >= 0) SelectedFile = CurrentDir + "\\" + SelectedItemText();
}

std::string MsiDir_Frm::SelectedItemText() const {
  const int32_t row = Lv_MSIFiles->SelectedRow();
  return row >= 0 ? Lv_MSIFiles->CellText(row, 1) : "";
}

void MsiDir_Frm::M_Select_Click() {
  SelectedFile.clear();
  if (Fr_MSIDetails->isVisible() && Lv_MSIFiles->SelectedRow() >= 0) {
    SelectedFile = SingleBackslashes(CurrentDir + "\\" + SelectedItemText());
  }
  if (SelectedFile.empty()) SelectedFile = T_Dirname->text().toStdString();
  if (FileCount != 0) {
    bool cancel = false;
    T_Dirname_Validate(&cancel);
    if (!cancel) {
      std::string path = SelectedFile;
      ReturnSelectedFile(&path, &cancel);
    }
  } else if (SelectedFile.empty()) {
    ui::ShowMessage(kNothingSelectedMessage, kErrorTitle, ui::Buttons::kOk);
  } else {
    std::string path = SelectedFile;
    bool cancel = false;
    ReturnSelectedFile(&path, &cancel);
  }
}

bool MsiDir_Frm::ReturnSelectedFile(std::string* FilePath, bool* Cancel) {
  if (Lv_MSIFiles->SelectedRow() < 0) return false;
  if (FilePath->empty()) {
    *FilePath = T_Dirname->text().toStdString();
    if (ExistFile(*FilePath) != 0) {
      if (FilePath->empty() || FilePath->back() != '\\') *FilePath += "\\";
      *FilePath += SelectedItemText();
    }
  }
  if (ExistFile(*FilePath) != 0) {
    ui::ShowMessage("File " + *FilePath + " does not exist", kErrorTitle, ui::Buttons::kOk);
    return false;
  }
  PassFileToConverter(*FilePath);
  if (!*Cancel) close();
  return true;
}

void MsiDir_Frm::PassFileToConverter(const std::string& FilePath) {
  if (CallerForm && m_receiver) m_receiver(FilePath);
}

void MsiDir_Frm::M_Exit_Click() {
  close();
}

void MsiDir_Frm::M_Help_Click() {
  if (helpWindow) helpWindow(this);
}

void MsiDir_Frm::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void MsiDir_Frm::Form_Unload() {
  if (m_unloaded) return;
  m_unloaded = true;
  m_scanTimer->stop();
  m_scan.reset();
  unsetCursor();
  SaveWindowLayout(this);
  SaveListLayout(this, Lv_MSIFiles, "", &Lv_MSIFiles->LastFittedColumn);
  if (CallerForm) CallerForm->unsetCursor();
}

bool MsiDir_Frm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Lv_MSIFiles && event->type() == QEvent::KeyPress) {
    LastKeyCode = KeyCodeOf(static_cast<QKeyEvent*>(event)->key());
    m_keyMove = true;
  } else if (watched == Lv_MSIFiles->viewport() && event->type() == QEvent::MouseButtonPress) {
    m_keyMove = false;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace qv
