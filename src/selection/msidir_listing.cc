// The file selection window's list: rebuilt for a file or a folder, filled between events so
// that a large folder shows its first rows at once and the window keeps answering.

#include <chrono>

#include <QLineEdit>
#include <QTimer>

#include "listview/column_widths.h"
#include "listview/list_layout.h"
#include "listview/report_list.h"
#include "selection/msidir_frm.h"
#include "services/file_functions.h"

namespace qv {
namespace {

// How long one turn of the listing may keep the window from its events.
constexpr std::chrono::milliseconds kListingSlice{40};

}  // namespace

void MsiDir_Frm::LoadLv_MsiFiles() {
  m_scanTimer->stop();
  m_scan.reset();
  setCursor(Qt::WaitCursor);
  SaveListLayout(this, Lv_MSIFiles, "", &Lv_MSIFiles->LastFittedColumn);
  Lv_MSIFiles->ClearColumns();
  Lv_MSIFiles->ClearRows();
  FileCount = 0;
  m_listing.FileCount = 0;
  m_listing.CurrentDir = CurrentDir;
  int32_t number = 1;
  for (const FileColumn& column : kFileColumns) {
    AddColumn(Lv_MSIFiles, column.title, number++, column.sortCode);
  }
  const std::string name = T_Dirname->text().toStdString();
  if (!name.empty() && ExistFile(name) == 0) {
    ListFiles(m_listing, name, [this](FileRow row) { AddRow(std::move(row)); });
  } else if (ExistDir(CurrentDir) == 0) {
    m_scan = std::make_unique<FolderScan>(&m_listing);
    m_scanTimer->start();
    return;  // ListSome fills the list and ends the rebuild
  }
  EndListing();
}

void MsiDir_Frm::ListSome() {
  if (!m_scan) return;
  const auto until = std::chrono::steady_clock::now() + kListingSlice;
  const auto sink = [this](FileRow row) { AddRow(std::move(row)); };
  while (std::chrono::steady_clock::now() < until) {
    if (!m_scan->Step(sink)) {
      EndListing();
      return;
    }
  }
}

void MsiDir_Frm::FinishListing() {
  while (m_scan) ListSome();
}

void MsiDir_Frm::AddRow(FileRow row) {
  Lv_MSIFiles->AddRow(std::move(row));
  FileCount = m_listing.FileCount;
}

void MsiDir_Frm::EndListing() {
  m_scanTimer->stop();
  m_scan.reset();
  RestoreListLayout(this, Lv_MSIFiles, "");
  unsetCursor();
}

}  // namespace qv
