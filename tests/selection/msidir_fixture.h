#pragma once
// The file selection window opened over a caller in an isolated home, with a scripted user
// interface and scripted dialogs, on a folder the test fills.

#include <string>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "listview/report_list.h"
#include "selection/msidir_frm.h"
#include "support/fresh_program_state.h"
#include "support/scripted_ui.h"
#include "support/test_machine.h"

namespace qv::test {

class MsiDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_env.Set("LC_ALL", "C");
    m_caller.setObjectName("Converter_Frm");
    m_caller.show();
    Open();
  }
  void TearDown() override {
    if (m_frm) m_frm->close();
    delete m_frm.data();
  }

  /// Opens a new window as the converter does, with the folder as its start folder.
  void Open(const std::string& start = "") {
    m_frm = new MsiDir_Frm(&m_caller);
    m_frm->folderDialog = [this](QWidget*, const FolderRequest& request) {
      folderRequests.push_back(request);
      return folderAnswer;
    };
    m_frm->fileDialog = [this](QWidget*, const FileRequest& request) {
      fileRequests.push_back(request);
      return fileAnswer;
    };
    m_frm->Disp_Frm(&m_caller, ".Msi", start.empty() ? m_folder.path() : start, -1, "", -1,
                    [this](const std::string& path) { handedBack.push_back(path); });
    m_frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frm.data()));
  }

  /// The Windows form of a path in the folder.
  std::string Win(const std::string& relative = "") const {
    std::string out = "Z:";
    for (char c : m_folder.path() + (relative.empty() ? "" : "/" + relative)) {
      out += c == '/' ? '\\' : c;
    }
    return out;
  }

  /// Lets the window list the folder to the end.
  void WaitForListing() {
    for (int i = 0; i < 1000 && m_frm && !m_frm->ListingDone(); ++i) {
      QTest::qWait(5);
    }
    ASSERT_TRUE(m_frm && m_frm->ListingDone());
  }

  /// The texts of the list's first column, in the order shown.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int32_t row = 0; row < m_frm->Lv_MSIFiles->RowCount(); ++row) {
      names.push_back(m_frm->Lv_MSIFiles->CellText(row, 1));
    }
    return names;
  }

  /// Types text into the name box (focused by a click) and moves the focus to the list.
  void TypeFolder(const std::string& text) {
    QLineEdit* box = m_frm->T_Dirname;
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, QString::fromStdString(text));
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

}  // namespace qv::test
