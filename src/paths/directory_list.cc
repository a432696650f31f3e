#include "paths/directory_list.h"

#include <deque>
#include <optional>
#include <unordered_set>
#include <vector>

#include "msidb/database_open.h"
#include "msidb/error_report.h"
#include "msidb/views.h"
#include "platform/base/ascii_case.h"
#include "platform/base/pending_error.h"
#include "platform/fs/win32_paths.h"
#include "records/list_state.h"
#include "records/named_lists.h"
#include "records/record_list.h"
#include "records/record_text.h"
#include "services/registry_functions.h"
#include "services/text_case.h"
#include "state/program_state.h"

namespace qv {
namespace {

constexpr const char* kUserShellFolders =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
constexpr const char* kMachineShellFolders =
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
constexpr const char* kCurrentVersion = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";

const std::string kFiller(100, ' ');

std::string SessionProperty(const std::string& name) {
  const std::shared_ptr<msi::Session>& session = OpenDb().oSession;
  if (!session) return "";
  std::string value = session->Property(name);
  ClearPendingError();
  return value;
}

std::string DropLast(const std::string& text, size_t n) {
  return text.size() <= n ? "" : text.substr(0, text.size() - n);
}

void AddSystemFolders() {
  const ProgramState& program = Program();
  const std::string commonFiles = ReadShellFolder(kCurrentVersion, "CommonFilesDir");
  const std::string programFiles = ReadShellFolder(kCurrentVersion, "ProgramFilesDir");
  AddFolderEntry("AdminToolsFolder", SessionProperty("AdminToolsFolder"));
  AddFolderEntry("AppDataFolder", ReadShellFolder(kUserShellFolders, "AppData"));
  AddFolderEntry("CommonAppDataFolder", ReadShellFolder(kMachineShellFolders, "Common AppData"));
  AddFolderEntry("CommonFilesFolder", commonFiles);
  AddFolderEntry("CommonFiles64Folder", commonFiles + "64");
  AddFolderEntry("DesktopFolder", SessionProperty("DesktopFolder"));
  AddFolderEntry("FavoritesFolder", ReadShellFolder(kUserShellFolders, "Favorites"));
  AddFolderEntry("FontsFolder", ReadShellFolder(kUserShellFolders, "Fonts"));
  AddFolderEntry("LocalAppDataFolder", ReadShellFolder(kUserShellFolders, "Local AppData"));
  AddFolderEntry("MyPicturesFolder", ReadShellFolder(kUserShellFolders, "My Pictures"));
  AddFolderEntry("PersonalFolder", ReadShellFolder(kUserShellFolders, "Personal"));
  AddFolderEntry("ProgramFilesFolder", programFiles);
  AddFolderEntry("ProgramFiles64Folder", programFiles + "64");
  AddFolderEntry("ProgramMenuFolder", SessionProperty("ProgramMenuFolder"));
  AddFolderEntry("SendToFolder", ReadShellFolder(kUserShellFolders, "SendTo"));
  AddFolderEntry("StartMenuFolder", SessionProperty("StartMenuFolder"));
  AddFolderEntry("StartupFolder", SessionProperty("StartupFolder"));
  AddFolderEntry("System16Folder", DropLast(program.SystemDir, 2));
  AddFolderEntry("System64Folder", DropLast(program.SystemDir, 2) + "64");
  AddFolderEntry("SystemFolder", program.SystemDir);
  AddFolderEntry("TempFolder", TempDir());
  AddFolderEntry("TemplateFolder", SessionProperty("TemplateFolder"));
  AddFolderEntry("WindowsFolder", program.WindowsDir);
  AddFolderEntry("WindowsVolume", program.WindowsDir.substr(0, 3));
}

// The keys of one folder in the order they are listed: system folders go first, keys with a
// "." (and any key joining a list headed by WindowsFolder) go last, others first. Each key is
// kept once (compared without regard to case), and joining costs the same however long the
// list has grown.
class KeyList {
 public:
  explicit KeyList(const std::string& key) { Join(key); }
  void Join(const std::string& key) {
    if (!m_seen.insert(AsciiLower(key)).second) return;
    if (m_keys.empty()) {
      m_keys.push_back(key);
    } else if (ContainsNoCase(kSystemFolderNames, "|" + key + "|")) {
      m_keys.push_front(key);
    } else if (key.find('.') != std::string::npos || SameText(Head(13), "WindowsFolder")) {
      m_keys.push_back(key);
    } else {
      m_keys.push_front(key);
    }
  }
  std::string Text() const { return Head(std::string::npos); }
  bool Empty() const { return Head(1).empty(); }

 private:
  // The first n characters of the keys joined by ";".
  std::string Head(size_t n) const {
    std::string text;
    for (const std::string& key : m_keys) {
      if (text.size() >= n) break;
      if (!text.empty()) text += ';';
      text += key;
    }
    return text.substr(0, n);
  }

  std::deque<std::string> m_keys;
  std::unordered_set<std::string> m_seen;
};

// Folds records with the same path into one. The list is sorted by path, so the records of one
// path stand together; they are visited from the end, as the order of the keys depends on it,
// and the list is written once afterwards.
void MergeEqualPaths() {
  const int32_t count = ListCount(kDirectoryList);
  std::vector<std::string> kept;  // from the end of the list
  std::optional<KeyList> keys;
  std::string keptPath;
  bool merged = false;
  auto closeRun = [&] {
    if (merged) {
      kept.back() = FieldText("|1=", keptPath) + FieldText("|2=", keys->Text()) + "|3=1";
    }
    merged = false;
  };
  for (int32_t index = count - 1; index >= 0; --index) {
    std::string record = ListGetItem(kDirectoryList, index);
    const std::string path = GetFld(record, "|1=");
    const std::string key = GetFld(record, "|2=");
    if (!keys || keys->Empty() || !SameText(path, keptPath)) {
      closeRun();
      keys.emplace(key);
      keptPath = path;
      kept.push_back(std::move(record));
      continue;
    }
    keys->Join(key);
    merged = true;
  }
  closeRun();
  ListSetup(kDirectoryList, false);
  for (auto it = kept.rbegin(); it != kept.rend(); ++it) ListAddItem(kDirectoryList, *it);
}

}  // namespace

const char* const kSystemFolderNames =
    "|AdminToolsFolder|AppDataFolder|CommonAppDataFolder|CommonFiles64Folder|CommonFilesFolder"
    "|FavoritesFolder|FontsFolder|LocalAppDataFolder|MediaSourceDir|MyPicturesFolder"
    "|PersonalFolder|ProgramFilesFolder|ProgramFiles64Folder|ProgramMenuFolder|SendToFolder"
    "|StartMenuFolder|StartupFolder|System16Folder|System64Folder|SystemFolder|TempFolder"
    "|TemplateFolder|WindowsFolder|";

void ResolveDirectoryTable(std::shared_ptr<msi::Database> database, const std::string& packagePath,
                           int32_t /*secondList*/) {
  if (ListLoadedFor(packagePath, kDirectoryList)) return;
  ListSetup(kDirectoryList, false);

  // The folders are read through the open database's session, so a package that is not open
  // yet becomes the open database for the build (a database of this procedure alone would
  // have no session, and every folder would fall back to the Windows volume); what was open
  // before is put back afterwards.
  PState previous;
  const bool ownDatabase = !database;
  if (ownDatabase) {
    OpenMsiDb(packagePath, OpenDb().oDatabase, {.GenSession = true, .bStandardMsi = true},
              &previous);
    database = OpenDb().oDatabase;
  }
  ClearPendingError();
  std::shared_ptr<msi::View> view;
  if (database) {
    view = database->OpenView("SELECT * FROM `Directory`");
  } else {
    SetNoDatabaseError();
  }
  CheckErrorTrans("Common_MsiFunctions", 618);
  ClearPendingError();
  if (view && view->Execute()) {
    while (std::shared_ptr<msi::Record> row = view->Fetch()) {
      const std::string key = row->StringData(1);
      const std::string path = DirectoryTargetPath(key);
      if (!path.empty()) {
        ListAddItem(kDirectoryList, FieldText("|1=", LongPathOf(path)) + FieldText("|2=", key) +
                                        "|3=1|filler=" + kFiller);
      }
    }
  }
  ClearPendingError();
  oViewClose(view);

  AddSystemFolders();
  ListSortFields(kDirectoryList, "|1=", "\\", 0);
  MergeEqualPaths();
  ListSortFields(kDirectoryList, "|1=|3=", "\\", 0);
  MarkListBuiltFor(kDirectoryList, packagePath);
  if (ownDatabase) {
    database = nullptr;
    ReOpenDatabase(previous, true);
  }
}

std::string DirectoryTargetPath(const std::string& key) {
  OpenDatabaseState& db = OpenDb();
  if (SameText(key, "TARGETDIR")) return db.szTargetDir;
  if (SameText(key, "SourceDir")) return db.szSourceDir;
  if (SameText(key, "RootDrive")) return db.szRootDrive;

  if (!db.oSession) {
    ClearPendingError();
    GenerateSession();
  }
  std::string path;
  if (db.oSession) {
    path = db.oSession->TargetPath(key);
    if (path.empty()) {
      path = ReplaceNoCase(db.oSession->SourcePath(key), db.szSourceDir, db.szTargetDir);
    }
    ClearPendingError();
  }
  const std::string& windowsDir = Program().WindowsDir;
  if (!path.empty() && !db.szRootDrive.empty() && !windowsDir.empty() &&
      SameText(path.substr(0, 1), db.szRootDrive.substr(0, 1))) {
    path[0] = windowsDir[0];
  }
  if (path.empty()) path = windowsDir.substr(0, 3);
  return path;
}

void AddFolderEntry(const std::string& name, const std::string& path) {
  std::string folder = path;
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  ListAddItem(kDirectoryList,
              FieldText("|1=", folder) + FieldText("|2=", name) + "|3=0|filler=" + kFiller);
}

std::string ReadShellFolder(const std::string& keyPath, const std::string& valueName) {
  std::string buffer;
  const int32_t n = GetREGString(keyPath, valueName, &buffer, 256);
  if (n <= 0) return "";
  return buffer.substr(0, static_cast<size_t>(n - 1));
}

std::string LongPathOf(const std::string& path) {
  std::string buffer;
  const uint32_t n = GetLongPathNameA(path, &buffer, 256);
  return n != 0 ? buffer.substr(0, n) : path;
}

// A list belongs to the current package. Its own record of the package it was built from
// stays as a guard: a build that opened its own package puts back the package open before,
// and then the current package is not the one the list was built from.
bool ListLoadedFor(const std::string& packagePath, int32_t list) {
  return SameText(OpenDb().szCurrentMsi, packagePath) &&
         SameText(ListStateOf(list).built_for, packagePath) && ListCount(list) > 0;
}

void MarkListBuiltFor(int32_t list, const std::string& packagePath) {
  ListStateOf(list).built_for = packagePath;
}

void ResetPathLists() {
  ListRemove(kDirectoryList);
  ListRemove(kFileList);
  MarkListBuiltFor(kDirectoryList, "");
  MarkListBuiltFor(kFileList, "");
}

std::string TempDir() {
  std::string buffer;
  GetTempPathA(260, &buffer);
  return buffer;
}

}  // namespace qv
