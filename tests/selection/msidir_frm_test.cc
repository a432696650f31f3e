// The file selection window: what it lists, what it hands back or refuses, its dialogs and
// its stored layout.

#include "selection/msidir_frm.h"

#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "listview/report_list.h"
#include "support/fresh_program_state.h"
#include "support/scripted_ui.h"
#include "support/test_machine.h"

namespace qv::test {
namespace {

constexpr const char* kLog =
    "=== Verbose logging started: 1/31/2024 ===\r\n"
    "MSI (c): Package name extracted from path: app.msi\r\n";

// The window opened over a caller in an isolated home, with a scripted user interface and
// scripted dialogs, on a folder holding two logs and a file it does not list.
class MsiDirWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder.Write("b.log", kLog);
    m_folder.Write("a.log", kLog);
    m_folder.Write("notes.txt", "not listed");
    m_env.Set("LC_ALL", "C");
    m_caller.setObjectName("Converter_Frm");
    m_caller.show();
    Open();
  }
  void TearDown() override { delete m_frm.data(); }

  /// Opens a new window as the converter does, with the folder as its start folder.
  void Open() {
    m_frm = new MsiDir_Frm(&m_caller);
    m_frm->folderDialog = [this](QWidget*, const FolderRequest& request) {
      folderRequests.push_back(request);
      return folderAnswer;
    };
    m_frm->fileDialog = [this](QWidget*, const FileRequest& request) {
      fileRequests.push_back(request);
      return fileAnswer;
    };
    m_frm->Disp_Frm(&m_caller, ".Msi", m_folder.path(), -1, "", -1,
                    [this](const std::string& path) { handedBack.push_back(path); });
    m_frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frm.data()));
  }

  /// The Windows form of a path in the folder.
  std::string Win(const std::string& relative = "") const {
    std::string out = "Z:" + m_folder.path() + (relative.empty() ? "" : "/" + relative);
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
  }

  /// The texts of the list's first column, in the order shown.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int32_t row = 0; row < m_frm->Lv_MSIFiles->RowCount(); ++row) {
      names.push_back(m_frm->Lv_MSIFiles->CellText(row, 1));
    }
    return names;
  }

  /// Puts text into the name box (focused by a click) and moves the focus away.
  void TypeFolder(const std::string& text) {
    QLineEdit* box = m_frm->T_Dirname;
    box->setFocus(Qt::MouseFocusReason);
    box->setText(QString::fromStdString(text));
    m_frm->Cm_GetDir->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }

  /// Clicks row of the list with the mouse.
  void ClickRow(int32_t row) {
    ReportList* list = m_frm->Lv_MSIFiles;
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
  }

  FreshProgramState m_fresh;
  ScopedTestMachine m_machine;
  ScopedScriptedUi m_ui;
  ScopedEnv m_env;
  TempDir m_folder;
  QWidget m_caller;
  QPointer<MsiDir_Frm> m_frm;
  std::vector<std::string> handedBack;
  std::vector<FolderRequest> folderRequests;
  std::vector<FileRequest> fileRequests;
  std::string folderAnswer;  ///< host folder the scripted picker gives
  std::string fileAnswer;    ///< host file the scripted file dialog gives
};

TEST_F(MsiDirWindowTest, OpensWithTheListHiddenAndListsAFolderTypedIntoTheNameBox) {
  EXPECT_EQ(m_frm->windowTitle().toStdString(), "Select Msi Files");
  std::vector<std::string> menus;
  for (QAction* action : m_frm->menuBar()->actions()) menus.push_back(action->text().toStdString());
  EXPECT_EQ(menus, (std::vector<std::string>{"Return Selected File", "Return with no File Selected",
                                             "Help"}));
  EXPECT_EQ(m_frm->T_Dirname->text().toStdString(), Win());
  EXPECT_FALSE(m_frm->Fr_MSIDetails->isVisible());
  EXPECT_FALSE(m_frm->isModal());

  // The name box lists a typed folder from the second leaving on, and refuses one that does not
  // exist.
  m_folder.Write("sub/c.log", kLog);
  TypeFolder(Win("sub"));
  // The first leaving after the window opened only arms the check.
  EXPECT_FALSE(m_frm->Fr_MSIDetails->isVisible());
  TypeFolder(m_folder.Sub("sub"));  // a host path is taken in its Windows form
  m_frm->FinishListing();
  EXPECT_EQ(m_frm->T_Dirname->text().toStdString(), Win("sub"));
  EXPECT_TRUE(m_frm->Fr_MSIDetails->isVisible());
  EXPECT_EQ(Names(), std::vector<std::string>{"C.Log"});
  EXPECT_TRUE(m_ui->messages.empty());

  TypeFolder(Win("none"));  // the listing disarmed the check again
  TypeFolder(Win("none"));
  ASSERT_EQ(m_ui->messages.size(), 1u);
  EXPECT_EQ(m_ui->messages[0].text, "Directory " + Win("none") + " not valid.");
  EXPECT_EQ(m_ui->messages[0].title, "Error");
  EXPECT_EQ(m_ui->messages[0].buttons, ui::Buttons::kOk);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), m_frm->T_Dirname);
  m_frm->FinishListing();
  // The box then shows the name's folder part and the list is rebuilt empty.
  EXPECT_EQ(m_frm->T_Dirname->text().toStdString(), Win());
  EXPECT_EQ(m_frm->Lv_MSIFiles->RowCount(), 0);
}

// A click after a Page or End key is ignored once; the chosen file is handed back.
TEST_F(MsiDirWindowTest, ListsTheFolderAndHandsBackTheChosenFile) {
  m_caller.setCursor(Qt::WaitCursor);
  m_frm->Cm_Selfiles->click();
  EXPECT_TRUE(m_frm->Fr_MSIDetails->isVisible());
  // The rows come while the window goes on answering events.
  EXPECT_FALSE(m_frm->ListingDone());
  QTRY_VERIFY_WITH_TIMEOUT(m_frm->ListingDone(), 5000);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A.Log", "B.Log"}));
  std::vector<std::string> titles;
  for (int32_t c = 1; c <= m_frm->Lv_MSIFiles->ColumnCount(); ++c) {
    titles.push_back(m_frm->Lv_MSIFiles->ColumnText(c) + m_frm->Lv_MSIFiles->ColumnTag(c));
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"File NameS", "TypeL", "ApplicationS", "VersionV",
                                              "LanguageS", "GuidS", "DateTimeD", "SizeL"}));

  ClickRow(0);
  m_frm->Lv_MSIFiles->setFocus();
  // Moving to the last row with End is itself the click that is ignored.
  QTest::keyClick(m_frm->Lv_MSIFiles, Qt::Key_End);
  EXPECT_EQ(m_frm->SelectedFile, Win() + "\\A.Log");
  // On the last row End moves nothing: the next click is ignored, the one after it counts.
  QTest::keyClick(m_frm->Lv_MSIFiles, Qt::Key_End);
  ClickRow(1);
  EXPECT_EQ(m_frm->SelectedFile, Win() + "\\A.Log");
  ClickRow(1);
  EXPECT_EQ(m_frm->SelectedFile, Win() + "\\B.Log");
  QTest::keyClick(m_frm->Lv_MSIFiles, Qt::Key_Up);
  EXPECT_EQ(m_frm->SelectedFile, Win() + "\\A.Log");

  m_frm->CurrentDir = Win() + "\\";  // a trailing backslash gives no doubled one
  m_frm->M_Select->trigger();
  EXPECT_EQ(handedBack, std::vector<std::string>{Win() + "\\A.Log"});
  QApplication::processEvents();
  EXPECT_TRUE(!m_frm || !m_frm->isVisible());
  EXPECT_EQ(m_caller.cursor().shape(), Qt::ArrowCursor);  // the caller's pointer is back
}

TEST_F(MsiDirWindowTest, ReturningWithoutAnExistingFileSaysSoAndStays) {
  m_frm->T_Dirname->clear();
  m_frm->M_Select->trigger();
  m_frm->Cm_Selfiles->click();
  m_frm->FinishListing();
  ClickRow(0);
  ASSERT_EQ(unlink(m_folder.Sub("a.log").c_str()), 0);
  m_frm->M_Select->trigger();
  ASSERT_EQ(m_ui->messages.size(), 2u);
  EXPECT_EQ(m_ui->messages[0].text, "A File has not been selected");
  EXPECT_EQ(m_ui->messages[0].title, "Error");
  EXPECT_EQ(m_ui->messages[1].text, "File " + Win() + "\\A.Log does not exist");
  EXPECT_TRUE(m_frm && m_frm->isVisible());
  EXPECT_TRUE(handedBack.empty());
}

TEST_F(MsiDirWindowTest, TheFileDialogListsTheChosenFileAndTheFolderPickerTheChosenFolder) {
  fileAnswer = m_folder.Sub("b.log");
  m_frm->Cm_Commdlg->click();
  ASSERT_EQ(fileRequests.size(), 1u);
  EXPECT_EQ(fileRequests[0].folder, m_folder.path());
  m_frm->FinishListing();
  EXPECT_EQ(m_frm->T_Dirname->text().toStdString(), Win("b.log"));
  EXPECT_EQ(m_frm->CurrentDir, Win());
  EXPECT_EQ(Names(), std::vector<std::string>{"B.Log"});
  EXPECT_EQ(m_frm->Lv_MSIFiles->CellText(0, 3), "app.msi");

  // From a file in the box, the dialog starts in its folder with its name; a cancel changes
  // nothing.
  fileAnswer.clear();
  m_frm->Cm_Commdlg->click();
  ASSERT_EQ(fileRequests.size(), 2u);
  EXPECT_EQ(fileRequests[1].folder, m_folder.path());
  EXPECT_EQ(fileRequests[1].fileName, "b.log");
  EXPECT_EQ(m_frm->T_Dirname->text().toStdString(), Win("b.log"));

  // The dialog offers seven filters; each shows its description, and its patterns match
  // without regard to case.
  QFileDialog dialog;
  ConfigureFileDialog(&dialog, fileRequests[0]);
  const QStringList filters = dialog.nameFilters();
  ASSERT_EQ(filters.size(), 7);
  EXPECT_EQ(filters[0].toStdString(), "Msi Files(*.Msi) (*.[mM][sS][iI])");
  EXPECT_EQ(dialog.selectedNameFilter().toStdString(), "Msi Files(*.Msi)");
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Select Msi Files");

  // The folder picker starts in the current folder and lists the folder chosen.
  m_folder.Write("picked/d.log", kLog);
  folderAnswer = m_folder.Sub("picked");
  m_frm->Cm_GetDir->click();
  ASSERT_EQ(folderRequests.size(), 1u);
  EXPECT_EQ(folderRequests[0].title, "Select Directory  for Msi files");
  EXPECT_EQ(folderRequests[0].startFolder, m_folder.path());
  m_frm->FinishListing();
  EXPECT_EQ(m_frm->T_Dirname->text().toStdString(), Win("picked"));
  EXPECT_EQ(Names(), std::vector<std::string>{"D.Log"});

  folderAnswer.clear();  // cancelled: the list is emptied and hidden
  m_frm->Cm_GetDir->click();
  EXPECT_EQ(folderRequests[1].startFolder, m_folder.Sub("picked"));
  EXPECT_FALSE(m_frm->Fr_MSIDetails->isVisible());
  EXPECT_EQ(m_frm->Lv_MSIFiles->RowCount(), 0);
}

TEST_F(MsiDirWindowTest, ItsLayoutIsStoredOnCloseAndRestoredOnTheNextOpening) {
  m_frm->Cm_Selfiles->click();
  m_frm->FinishListing();
  m_frm->resize(700, 450);
  m_frm->move(40, 30);
  // Columns at least as wide as the list are kept as they are (narrower ones are shared out
  // again).
  ReportList* list = m_frm->Lv_MSIFiles;
  int32_t others = 0;
  for (int32_t c = 1; c <= list->ColumnCount(); ++c) others += c == 3 ? 0 : list->ColumnWidth(c);
  const int32_t wide = list->ListWidth() - others + 300;
  list->SetColumnWidth(3, wide);
  const QRect before = m_frm->geometry();
  m_frm->M_Exit->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(handedBack.empty());
  Open();
  EXPECT_EQ(m_frm->geometry(), before);
  m_frm->Cm_Selfiles->click();
  m_frm->FinishListing();
  EXPECT_EQ(m_frm->Lv_MSIFiles->ColumnWidth(3), wide);
}

}  // namespace
}  // namespace qv::test
