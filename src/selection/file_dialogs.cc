#include "selection/file_dialogs.h"

#include <QFileDialog>

namespace qv {
namespace {

// A pattern that matches without regard to case in Qt's case-sensitive filters: each letter
// as a class of both cases ("*.Msi" becomes "*.[mM][sS][iI]"); Windows' "*.*" is every name.
std::string CaseFreePattern(const std::string& pattern) {
  if (pattern == "*.*") return "*";
  std::string out;
  for (char c : pattern) {
    const bool lower = c >= 'a' && c <= 'z', upper = c >= 'A' && c <= 'Z';
    if (!lower && !upper) {
      out += c;
      continue;
    }
    const char l = lower ? c : static_cast<char>(c - 'A' + 'a');
    out += std::string("[") + l + static_cast<char>(l - 'a' + 'A') + "]";
  }
  return out;
}

}  // namespace

std::string QtNameFilter(const FileFilter& filter) {
  std::string patterns;
  std::string rest = filter.patterns;
  while (!rest.empty()) {
    const size_t semicolon = rest.find(';');
    patterns += (patterns.empty() ? "" : " ") + CaseFreePattern(rest.substr(0, semicolon));
    rest = semicolon == std::string::npos ? "" : rest.substr(semicolon + 1);
  }
  // Qt reads the patterns from the last parenthesis; the description before it is what the
  // dialog shows once details are hidden.
  return std::string(filter.description) + " (" + patterns + ")";
}

void ConfigureFileDialog(QFileDialog* dialog, const FileRequest& request) {
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  dialog->setOption(QFileDialog::DontResolveSymlinks);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setWindowTitle(QString::fromStdString(request.title));
  QStringList filters;
  for (const FileFilter& f : kFileFilters) filters << QString::fromStdString(QtNameFilter(f));
  dialog->setNameFilters(filters);
  const int index = request.filterIndex >= 1 && request.filterIndex <= filters.size()
                        ? request.filterIndex - 1
                        : 0;
  dialog->selectNameFilter(filters[index]);
  if (!request.folder.empty()) dialog->setDirectory(QString::fromStdString(request.folder));
  if (!request.fileName.empty()) dialog->selectFile(QString::fromStdString(request.fileName));
}

std::string RunFileDialog(QWidget* owner, const FileRequest& request) {
  QFileDialog dialog(owner);
  ConfigureFileDialog(&dialog, request);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return dialog.selectedFiles().first().toStdString();
}

std::string RunFolderDialog(QWidget* owner, const FolderRequest& request) {
  QFileDialog dialog(owner);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setLabelText(QFileDialog::LookIn, QString::fromStdString(request.title));
  if (request.includeFiles) {
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
  }
  // A read-only dialog offers no "New Folder".
  if (request.noNewFolder) dialog.setOption(QFileDialog::ReadOnly);
  if (!request.startFolder.empty()) {
    dialog.setDirectory(QString::fromStdString(request.startFolder));
    dialog.selectFile(QString::fromStdString(request.startFolder));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace qv
