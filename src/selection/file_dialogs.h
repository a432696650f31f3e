#pragma once
// The two dialogs of the file selection window: the folder picker and the file-open dialog.
// Both work on host folders; the window turns what they give back into the Windows form.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QFileDialog;
class QWidget;

namespace qv {

/// One filter of the file-open dialog: what the user reads and the patterns it stands for.
struct FileFilter {
  const char* description;
  const char* patterns;  ///< separated by ";"
};

/// The file-open dialog's filters, in order.
inline constexpr FileFilter kFileFilters[7] = {
    {"Msi Files(*.Msi)", "*.Msi"},
    {"MSM Merge Modules (*.MSM)", "*.MSM"},
    {"MSL Monitor LogFiles (*.MSL)", "*.MSL"},
    {"CSV Scan LogFiles (*.CSV)", "*.CSV"},
    {"Isolation Files (*.MsiA;*.MsiN;*.MsiS)", "*.MsiA;*.MsiN;*.MsiS"},
    {"Msi/MSM/MSL/CSV Files(*.Msi;*.MSM;*.MSL;*.CSV)", "*.Msi;*.MSM;*.MSL;*.CSV"},
    {"All Files (*.*)", "*.*"},
};

/// What the folder picker is asked.
struct FolderRequest {
  std::string title;        ///< the prompt
  std::string startFolder;  ///< host folder selected at first; "" for none
  bool includeFiles = false;
  bool noNewFolder = false;  ///< the user may not create folders
};

/// What the file-open dialog is asked.
struct FileRequest {
  std::string title;
  std::string folder;       ///< host folder shown at first; "" for the current one
  std::string fileName;     ///< name preset in the name box
  int32_t filterIndex = 1;  ///< 1-based into kFileFilters
};

/// Shows a folder picker; returns the chosen host folder, "" when cancelled.
using FolderDialog = std::function<std::string(QWidget* owner, const FolderRequest& request)>;
/// Shows a file-open dialog; returns the chosen host file, "" when cancelled.
using FileDialog = std::function<std::string(QWidget* owner, const FileRequest& request)>;

/// The Qt folder picker: folders only, the start folder selected, without "New Folder" when
/// noNewFolder; with includeFiles files are shown and may be chosen too.
std::string RunFolderDialog(QWidget* owner, const FolderRequest& request);
/// The Qt file-open dialog: an existing file must be chosen, links are not followed.
std::string RunFileDialog(QWidget* owner, const FileRequest& request);

/// A filter as Qt's dialog takes it: the description shown as it is, the patterns matching
/// without regard to case ("*.Msi" finds app.msi and APP.MSI, as on Windows; "*.*" every file).
std::string QtNameFilter(const FileFilter& filter);
/// Sets the dialog up for request: title, folder, preset name, the seven filters (the
/// description alone shown) with the requested one chosen, an existing file to be chosen.
void ConfigureFileDialog(QFileDialog* dialog, const FileRequest& request);

}  // namespace qv
