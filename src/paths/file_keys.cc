#include "paths/file_keys.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "msidb/database_open.h"
#include "msidb/error_report.h"
#include "msidb/views.h"
#include "paths/directory_list.h"
#include "paths/short_paths.h"
#include "platform/base/ascii_case.h"
#include "platform/base/pending_error.h"
#include "records/list_state.h"
#include "records/named_lists.h"
#include "records/record_list.h"
#include "records/record_text.h"
#include "services/text_case.h"
#include "state/program_state.h"

namespace qv {
namespace {

std::string Quoted(const std::string& value) {
  return "'" + value + "'";
}

// The one row a query gives through QuorvexOpenView, or null; the view is closed.
std::shared_ptr<msi::Record> FetchOne(const std::shared_ptr<msi::Database>& database,
                                      const std::string& sql, const std::string& moduleName,
                                      int32_t location) {
  std::shared_ptr<msi::View> view;
  QuorvexOpenView(view, database, sql, moduleName, location);
  std::shared_ptr<msi::Record> row;
  if (view && view->Execute()) row = view->Fetch();
  ClearPendingError();
  oViewClose(view);
  return row;
}

std::string ComponentQuery(const std::string& component) {
  return "SELECT * FROM `Component` WHERE `Component` = " + Quoted(component);
}

std::string WithBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

// The index of the first directory-list record whose keys hold key (without regard to case),
// or -1. The keys of every record are indexed once per state of the list: a record may hold
// thousands of keys, and a text may ask for thousands of them.
int32_t FirstRecordWithKey(const std::string& key) {
  const int32_t count = ListCount(kDirectoryList);
  if (key.find(';') != std::string::npos) {
    // Not a single key: it is looked for in each record's joined keys, as written.
    for (int32_t i = 0; i < count; ++i) {
      if (ContainsNoCase(";" + GetFld(ListGetItem(kDirectoryList, i), "|2=") + ";",
                         ";" + key + ";")) {
        return i;
      }
    }
    return -1;
  }
  struct KeyIndex {
    uint64_t generation = 0;
    bool built = false;
    std::unordered_map<std::string, int32_t> first;
  };
  static KeyIndex index;
  if (ListStateOf(kDirectoryList).needs_sort) ListGetItem(kDirectoryList, 0);  // sorts it
  const uint64_t generation = ListStateOf(kDirectoryList).generation;
  if (!index.built || index.generation != generation) {
    index.first.clear();
    for (int32_t i = 0; i < count; ++i) {
      const std::string keys = GetFld(ListGetItem(kDirectoryList, i), "|2=");
      size_t start = 0;
      while (start <= keys.size()) {
        const size_t end = std::min(keys.find(';', start), keys.size());
        index.first.emplace(AsciiLower(std::string_view(keys).substr(start, end - start)), i);
        start = end + 1;
      }
    }
    index.generation = generation;
    index.built = true;
  }
  const auto found = index.first.find(AsciiLower(key));
  return found == index.first.end() ? -1 : found->second;
}

}  // namespace

void LoadFileList(std::shared_ptr<msi::Database> database, const std::string& packagePath,
                  bool skipConditioned) {
  if (ListLoadedFor(packagePath, kFileList)) return;
  ListSetup(kFileList, true);
  // Each component's folder, read once, when the first file needs it: a package has many files
  // to a component and many components to a folder, and one without files (or without a File
  // table) is not asked for components at all.
  struct ComponentFolder {
    std::string folder;  ///< ends with '\'
    bool conditioned = false;
  };
  std::unordered_map<std::string, ComponentFolder> components;
  auto readComponents = [&] {
    std::unordered_map<std::string, std::string> folders;
    ClearPendingError();
    std::shared_ptr<msi::View> view = database->OpenView("SELECT * FROM `Component`");
    CheckErrorTrans("Common_MsiFunctions", 742);
    if (view && view->Execute()) {
      while (std::shared_ptr<msi::Record> component = view->Fetch()) {
        const std::string directory = component->StringData(3);
        auto folder = folders.find(directory);
        if (folder == folders.end()) {
          folder = folders.emplace(directory, WithBackslash(DirectoryTargetPath(directory))).first;
        }
        components[component->StringData(1)] = {folder->second, !component->StringData(5).empty()};
      }
    }
    ClearPendingError();
    oViewClose(view);
  };

  std::shared_ptr<msi::View> files;
  QuorvexOpenView(files, database, "SELECT * FROM `File`", "Common_MsiFunctions", 730);
  bool componentsRead = false;
  if (files && files->Execute()) {
    while (std::shared_ptr<msi::Record> file = files->Fetch()) {
      if (!std::exchange(componentsRead, true)) readComponents();
      const auto component = components.find(file->StringData(2));
      if (component == components.end()) continue;
      if (skipConditioned && component->second.conditioned) continue;
      ListAddItem(kFileList,
                  FieldText("|1=", component->second.folder + AfterFirstBar(file->StringData(3))) +
                      FieldText("|2=", file->StringData(1)));
    }
  }
  ClearPendingError();
  oViewClose(files);
  ListSortFields(kFileList, "|1=", "\\", 0);
  MarkListBuiltFor(kFileList, packagePath);
}

std::string ResolveFileKey(const std::shared_ptr<msi::Database>& database, const std::string& key,
                           bool shortPath) {
  std::shared_ptr<msi::Record> file =
      FetchOne(database, "SELECT * FROM `File` WHERE `File` = " + Quoted(key), "Common", 6875);
  if (!file) return "";
  const std::string fileName = file->StringData(3);
  std::shared_ptr<msi::Record> component =
      FetchOne(database, ComponentQuery(file->StringData(2)), "Common", 6887);
  if (!component) return "";
  std::string folder = DirectoryTargetPath(component->StringData(3));
  if (folder.empty()) return "";
  folder = WithBackslash(folder);
  return shortPath ? ShortPathOf(folder) + BeforeFirstBar(fileName)
                   : folder + AfterFirstBar(fileName);
}

std::string ResolveComponentKey(const std::shared_ptr<msi::Database>& database,
                                const std::string& key) {
  ClearPendingError();
  std::shared_ptr<msi::View> view;
  if (database) {
    view = database->OpenView(ComponentQuery(key));
  } else {
    SetNoDatabaseError();
  }
  CheckErrorTrans("Common", 6853);
  std::string folder;
  if (view && view->Execute()) {
    if (std::shared_ptr<msi::Record> row = view->Fetch()) {
      folder = DirectoryTargetPath(row->StringData(3));
      // Deliberately not the session's folder as it comes: that ends with '\', and "[$Comp]"
      // stands for the component's folder itself, written without the closing '\' (a drive
      // root such as "C:\" keeps it, or it would name the drive's current folder).
      if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    }
  }
  ClearPendingError();
  oViewClose(view);
  return folder;
}

std::string ResolvePlainKey(const std::shared_ptr<msi::Database>& database,
                            const std::string& packagePath, const std::string& key) {
  if (!OpenDb().oSession) GenerateSession();
  if (const std::shared_ptr<msi::Session>& session = OpenDb().oSession) {
    std::string value = session->ProductProperty(key);
    ClearPendingError();
    if (!value.empty()) return value;
  }
  return FindDirectoryKey(database, packagePath, key);
}

std::string FindDirectoryKey(const std::shared_ptr<msi::Database>& database,
                             const std::string& packagePath, const std::string& key) {
  if (!ListLoadedFor(packagePath, kDirectoryList)) ResolveDirectoryTable(database, packagePath, 0);
  const int32_t index = FirstRecordWithKey(key);
  return index >= 0 ? GetFld(ListGetItem(kDirectoryList, index), "|1=") : key;
}

}  // namespace qv
