#pragma once
// A window "MsiDir_Frm" holding the report list "Lv_MSIFiles" (600 pixels wide, no frame, so
// 9000 twips for the columns), shown offscreen over an isolated settings store, with helpers
// to fill it like the file selection window and to click its header like a user.

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "listview/column_widths.h"
#include "listview/report_list.h"
#include "services/registry_functions.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::test {

/// The key the list's layout is stored under.
inline constexpr char kListKey[] = "Dunar\\Quorvex\\Display\\MsiDir_Frm\\Lv_MSIFiles";

class ListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_env.Set("LC_ALL", "en_US.UTF-8");
    m_window = std::make_unique<QMainWindow>();
    m_window->setObjectName("MsiDir_Frm");
    m_window->setWindowTitle("Select Msi Files");
    m_list = new ReportList(m_window.get());
    m_list->setObjectName("Lv_MSIFiles");
    m_list->setFrameShape(QFrame::NoFrame);
    m_window->setCentralWidget(m_list);
    m_window->resize(600, 300);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    ASSERT_EQ(m_list->ListWidth(), 9000);
  }

  /// The eight columns of the file list with their sort codes.
  void AddFileColumns() {
    const std::pair<const char*, const char*> columns[] = {
        {"File Name", "S"}, {"Type", "L"}, {"Application", "S"}, {"Version", "V"},
        {"Language", "S"},  {"Guid", "S"}, {"DateTime", "D"},    {"Size", "L"}};
    for (const auto& [title, code] : columns) AddColumn(m_list, title, 0, code);
  }
  /// Rows of the file list: name, type, application, version, language, guid, date, size.
  void AddFileRows() {
    m_list->AddRow(
        {"Setup.Msi", "MSI", "Zeta Tool", "1.10", "English", "{A}", "10:00:00 2/1/2024", "10000"});
    m_list->AddRow(
        {"App.Msi", "MSI", "Alpha App", "1.9", "German", "{B}", "23:59:59 1/31/2024", "900"});
    m_list->AddRow({"Merge.Msm", "MSM", "", "", "", "", "08:00:00 2/1/2024", "52000"});
    m_list->AddRow(
        {"Install.Log", "LOG", "Setup.Msi", "Install", "", "{A}", "08:00:01 2/1/2024", "900"});
  }
  /// The first cell of every row, as shown, joined by blanks.
  std::string Names() const {
    std::string names;
    for (int32_t row = 0; row < m_list->RowCount(); ++row) {
      names += (row ? " " : "") + m_list->CellText(row, 1);
    }
    return names;
  }
  /// The widths of all columns in twips.
  std::vector<int32_t> Widths() const {
    std::vector<int32_t> widths;
    for (int32_t column = 1; column <= m_list->ColumnCount(); ++column) {
      widths.push_back(m_list->ColumnWidth(column));
    }
    return widths;
  }
  /// Clicks the middle of a column's header with the given keys held.
  void ClickHeader(int32_t column, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QHeaderView* header = m_list->header();
    const int left = header->sectionViewportPosition(column - 1);
    const QPoint middle(left + header->sectionSize(column - 1) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, keys, middle);
  }
  /// A stored layout value of the list; "<absent>" when there is none.
  static std::string Stored(const std::string& name) {
    std::string value;
    return GetREGString(kListKey, name, &value, 2000) > 0 ? value : "<absent>";
  }
  static void Store(const std::string& name, const std::string& value) {
    SaveREGString(kListKey, name, value, 1, 1);
  }

  ScopedTestMachine m_machine;
  ScopedEnv m_env;
  std::unique_ptr<QMainWindow> m_window;
  ReportList* m_list = nullptr;  // owned by m_window
};

/// Runs check on the modal dialog of type T once it is open, then makes sure it closes.
template <typename T, typename Check>
void WhenModal(Check check) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, check] {
    auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    poll->stop();
    poll->deleteLater();
    check(dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  poll->start();
}

}  // namespace qv::test
