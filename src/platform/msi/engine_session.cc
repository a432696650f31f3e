#include "platform/msi/engine_session.h"

#include "platform/base/pending_error.h"
#include "platform/msi/folder_properties.h"

namespace qv::msi {
namespace {

constexpr int32_t kActionSuccess = 1;
constexpr int32_t kActionFailure = 3;

}  // namespace

EngineSession::EngineSession(std::shared_ptr<Database> database, const Machine& machine)
    : m_database(std::move(database)) {
  const std::string& path = m_database->Path();
  m_packagePath = !path.empty() && path[0] == '/' ? WindowsFormOfHostPath(machine, path) : path;
  for (const auto& row : ReadRows("Property", "SELECT `Property`, `Value` FROM `Property`", 2)) {
    m_packageProperties[row[0]] = row[1];
  }
  m_properties = m_packageProperties;
  // The installer's own folder and system properties win over what a package authored,
  // but for ROOTDRIVE, which packages set to choose the drive they install to.
  for (auto& [name, value] : MachineProperties(machine)) {
    if (name == "ROOTDRIVE" && m_packageProperties.count(name)) continue;
    m_properties[name] = value;
  }
  m_properties["OriginalDatabase"] = m_packagePath;
  m_properties["DATABASE"] = m_packagePath;
}

std::vector<std::vector<std::string>> EngineSession::ReadRows(const std::string& table,
                                                              const std::string& sql, int columns) {
  std::vector<std::vector<std::string>> rows;
  if (m_database->TablePersistent(table) != 1) return rows;
  std::shared_ptr<View> view = m_database->OpenView(sql);
  if (!view || !view->Execute()) {
    ClearPendingError();
    return rows;
  }
  while (std::shared_ptr<Record> record = view->Fetch()) {
    std::vector<std::string> row;
    for (int i = 1; i <= columns; ++i) row.push_back(record->StringData(i));
    rows.push_back(std::move(row));
  }
  view->Close();
  return rows;
}

std::string EngineSession::Property(const std::string& name) const {
  auto it = m_properties.find(name);
  return it == m_properties.end() ? "" : it->second;
}

void EngineSession::SetProperty(const std::string& name, const std::string& value) {
  if (value.empty()) {
    m_properties.erase(name);
  } else {
    m_properties[name] = value;
  }
}

std::string EngineSession::ProductProperty(const std::string& name) const {
  auto it = m_packageProperties.find(name);
  return it == m_packageProperties.end() ? "" : it->second;
}

int EngineSession::DoAction(const std::string& action) {
  if (action == "CostInitialize" || action == "FileCost") return kActionSuccess;
  if (action == "ResolveSource") {
    ResolveSource();
    return kActionSuccess;
  }
  if (action == "CostFinalize") {
    CostFinalize();
    return kActionSuccess;
  }
  SetMsiApiError("DoAction,Action");
  return kActionFailure;
}

void EngineSession::ResolveSource() {
  const size_t slash = m_packagePath.rfind('\\');
  const std::string folder = slash == std::string::npos ? "" : m_packagePath.substr(0, slash + 1);
  m_properties["SourceDir"] = folder;
  m_properties["SOURCEDIR"] = folder;
}

void EngineSession::CostFinalize() {
  if (Property("SourceDir").empty()) ResolveSource();
  std::vector<DirectoryRow> rows;
  for (auto& row : ReadRows("Directory",
                            "SELECT `Directory`, `Directory_Parent`, `DefaultDir` FROM "
                            "`Directory`",
                            3)) {
    rows.push_back({row[0], row[1], row[2]});
  }
  const bool shortSource = (m_database->SummaryInteger(15) & 1) != 0;
  std::map<std::string, ResolvedDirectory> resolved = ResolveDirectories(
      rows, [this](const std::string& name) { return Property(name); }, shortSource);
  for (const auto& [key, folder] : resolved) m_properties[key] = folder.target;
  m_directories = std::unordered_map<std::string, ResolvedDirectory>(
      std::make_move_iterator(resolved.begin()), std::make_move_iterator(resolved.end()));
  m_costed = true;
}

std::string EngineSession::TargetPath(const std::string& folder) {
  auto it = m_directories.find(folder);
  if (!m_costed || it == m_directories.end()) {
    SetMsiApiError("TargetPath,Folder");
    return "";
  }
  return it->second.target;
}

std::string EngineSession::SourcePath(const std::string& folder) {
  auto it = m_directories.find(folder);
  if (!m_costed || it == m_directories.end()) {
    SetMsiApiError("SourcePath,Folder");
    return "";
  }
  return it->second.source;
}

}  // namespace qv::msi
