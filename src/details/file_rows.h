#pragma once
// The rows of the file list: one row per installer file of a folder, with the details read
// from the file itself (a package's Property values, a log's identity) and its time and size.
// Rows go to a sink as they are made, so a window can show them while the folder is read.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

/// A column of the file list: its title and its sort code.
struct FileColumn {
  const char* title;
  const char* sortCode;
};

/// The file list's columns in order.
inline constexpr std::array<FileColumn, 8> kFileColumns = {{{"File Name", "S"},
                                                            {"Type", "L"},
                                                            {"Application", "S"},
                                                            {"Version", "V"},
                                                            {"Language", "S"},
                                                            {"Guid", "S"},
                                                            {"DateTime", "D"},
                                                            {"Size", "L"}}};

/// What a file is listed as: the search that found it, or how a single file was chosen.
enum FileTypeNumber : int32_t {
  kPackageFiles = 0,  ///< "*.Msi"
  kModuleFiles = 1,   ///< "*.MSM", and a single file chosen by name
  kChangeFiles = 4,   ///< "*.CSV", listed only with their report header
  kLogFiles = 5,      ///< "*.LOG", listed only when they are verbose installer logs
};

/// One row: the eight cells in column order.
using FileRow = std::vector<std::string>;
/// Receives each row as it is made.
using RowSink = std::function<void(FileRow row)>;

/// The state of one listing, as the selection window keeps it.
struct FileListing {
  std::string CurrentDir;  ///< the folder whose files are listed (Windows form)
  int32_t FileCount = 0;   ///< rows made since the listing started
  // The identity of the last recognised installer log.
  std::string LogPackageName;
  std::string LogInstallType;
  std::string LogProductCode;
};

/// Makes the row of FullPath: title-cased name, upper-cased extension, for a package (".Msi"
/// and a type below 4) its "ProductName", "ProductVersion", the name of its
/// "ProductLanguage" and its "ProductCode", for a log (type 5) the listing's log identity,
/// and for every file its time and size. Adds 1 to FileCount.
void AddFileRow(FileListing& listing, const std::string& FullPath, int32_t TypeNumber,
                const RowSink& sink);

/// Lists the file name of a directory search of CurrentDir if it qualifies: its extension must
/// be three characters long, a change file must carry its header and a log must be a verbose
/// installer log. True when a row was made.
bool AddDirectoryFile(FileListing& listing, const std::string& name, int32_t TypeNumber,
                      const RowSink& sink);

/// The names of files (not folders) in CurrentDir that a wildcard finds ("*.Msi"), in the
/// order the directory search returns them; empty when the folder cannot be read.
std::vector<std::string> SearchFiles(const std::string& CurrentDir, const std::string& mask);

/// AddDirectoryFile for each match of a search, in order.
void AddDirectoryFiles(FileListing& listing, const std::vector<std::string>& matches,
                       int32_t TypeNumber, const RowSink& sink);

/// Lists a folder one file at a time: its packages, merge modules, change files and logs, in
/// that order, each kind in the order of its directory search.
class FolderScan {
 public:
  /// Starts listing listing->CurrentDir; listing must outlive the scan.
  explicit FolderScan(FileListing* listing);
  /// Looks at the next file (making its row when it qualifies); false once every file was
  /// looked at.
  bool Step(const RowSink& sink);
  /// True once every file was looked at.
  bool Done() const;

 private:
  FileListing* m_listing;
  size_t m_search = 0;  // index into the searches; == their count when done
  std::vector<std::string> m_names;
  size_t m_next = 0;
  bool m_searched = false;
};

/// What LoadLv_MsiFiles lists for a name box text: an existing file alone (a ".Log" as a
/// log, anything else as type 1), else every file of listing->CurrentDir when it is a folder.
/// Rows go to sink; returns the number of rows made.
int32_t ListFiles(FileListing& listing, const std::string& nameText, const RowSink& sink);

/// A host path ("/srv/pkgs") in its Windows form on the current machine (Z:\srv\pkgs); any
/// other text unchanged.
std::string WindowsFormOf(const std::string& path);

}  // namespace qv
