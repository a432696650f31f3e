#include "details/file_rows.h"

#include "details/file_names.h"
#include "details/verbose_log.h"
#include "guids/package_value.h"
#include "platform/fs/dir_search.h"
#include "platform/machine/machine.h"
#include "records/record_text.h"
#include "services/file_functions.h"
#include "services/language_names.h"
#include "services/path_text.h"
#include "services/text_case.h"

namespace qv {
namespace {

// Room of the library buffers the row is read into.
constexpr int32_t kRecordRoom = 1000;
constexpr int32_t kLanguageRoom = 1000;

// The searches of a folder listing, in order; types 2 and 3 (patches and transforms) are not
// listed when packages are chosen.
struct Search {
  int32_t type;
  const char* mask;
};
constexpr std::array<Search, 4> kSearches = {{{kPackageFiles, "*.Msi"},
                                              {kModuleFiles, "*.MSM"},
                                              {kChangeFiles, "*.CSV"},
                                              {kLogFiles, "*.LOG"}}};

// The text after the last dot; "" when there is none.
std::string Extension(const std::string& path) {
  const size_t dot = path.rfind('.');
  return dot == std::string::npos ? "" : path.substr(dot + 1);
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

void AddFileRow(FileListing& listing, const std::string& FullPath, int32_t TypeNumber,
                const RowSink& sink) {
  std::string record;
  GetNFileDateTime(&record, FullPath, kRecordRoom);
  record = TrimNul(record);
  FileRow row(kFileColumns.size());
  row[0] = TitleCaseName(NameOf(FullPath));
  if (FullPath.find('.') != std::string::npos) row[1] = Upper(Extension(FullPath));
  ++listing.FileCount;
  if (EndsWithNoCase(FullPath, ".Msi") && TypeNumber < kChangeFiles) {
    row[2] = GetPackageValue(FullPath, "ProductName");
    row[3] = GetPackageValue(FullPath, "ProductVersion");
    std::string language;
    DecodeLanguageC(GetPackageValue(FullPath, "ProductLanguage"), &language, kLanguageRoom);
    row[4] = TrimNul(language);
    row[5] = GetPackageValue(FullPath, "ProductCode");
  } else if (TypeNumber == kLogFiles) {
    row[2] = listing.LogPackageName;
    row[3] = listing.LogInstallType;
    row[5] = listing.LogProductCode;
  }
  row[6] = FormatFileDateTime(GetFld(record, "|t="));
  row[7] = GetFld(record, "|s=");
  sink(std::move(row));
}

bool AddDirectoryFile(FileListing& listing, const std::string& name, int32_t TypeNumber,
                      const RowSink& sink) {
  if (Extension(name).size() != 3 || name.find('.') == std::string::npos) return false;
  const std::string path = listing.CurrentDir + "\\" + name;
  if (TypeNumber == kChangeFiles && !IsChangeFile(path)) return false;
  if (TypeNumber == kLogFiles &&
      !GetIdentityLogFile(path, &listing.LogPackageName, &listing.LogInstallType,
                          &listing.LogProductCode)) {
    return false;
  }
  AddFileRow(listing, path, TypeNumber, sink);
  return true;
}

std::vector<std::string> SearchFiles(const std::string& CurrentDir, const std::string& mask) {
  std::vector<fs::FolderEntry> found;
  std::vector<std::string> names;
  if (!fs::FindFiles(CurrentMachine(), CurrentDir + "\\" + mask, &found).ok()) return names;
  for (const fs::FolderEntry& entry : found) {
    if (!entry.isDirectory) names.push_back(entry.name);
  }
  return names;
}

void AddDirectoryFiles(FileListing& listing, const std::vector<std::string>& matches,
                       int32_t TypeNumber, const RowSink& sink) {
  for (const std::string& name : matches) AddDirectoryFile(listing, name, TypeNumber, sink);
}

FolderScan::FolderScan(FileListing* listing) : m_listing(listing) {}

bool FolderScan::Done() const {
  return m_search >= kSearches.size();
}

bool FolderScan::Step(const RowSink& sink) {
  while (!Done()) {
    if (!m_searched) {
      m_names = SearchFiles(m_listing->CurrentDir, kSearches[m_search].mask);
      m_next = 0;
      m_searched = true;
    }
    if (m_next < m_names.size()) {
      AddDirectoryFile(*m_listing, m_names[m_next++], kSearches[m_search].type, sink);
      return true;
    }
    ++m_search;
    m_searched = false;
  }
  return false;
}

int32_t ListFiles(FileListing& listing, const std::string& nameText, const RowSink& sink) {
  const int32_t before = listing.FileCount;
  if (!nameText.empty() && ExistFile(nameText) == 0) {
    const bool log = EndsWithNoCase(nameText, ".Log");
    // A log chosen by name shows its own identity, not that of the log listed last; one that
    // is no verbose log shows none.
    if (log && !GetIdentityLogFile(nameText, &listing.LogPackageName, &listing.LogInstallType,
                                   &listing.LogProductCode)) {
      listing.LogPackageName.clear();
      listing.LogInstallType.clear();
      listing.LogProductCode.clear();
    }
    AddFileRow(listing, nameText, log ? kLogFiles : kModuleFiles, sink);
  } else if (ExistDir(listing.CurrentDir) == 0) {
    FolderScan scan(&listing);
    while (scan.Step(sink)) {
    }
  }
  return listing.FileCount - before;
}

std::string WindowsFormOf(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  return WindowsFormOfHostPath(CurrentMachine(), path);
}

}  // namespace qv
