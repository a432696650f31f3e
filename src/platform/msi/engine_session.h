#pragma once
// Our engine's installer session: the package's properties over the machine's, the costing
// actions, and the folders they resolve.

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/machine/machine.h"
#include "platform/msi/automation.h"
#include "platform/msi/directory_resolution.h"

namespace qv::msi {

/// A session on an open database; folders resolve at CostFinalize.
class EngineSession : public Session {
 public:
  /// Reads the Property table of database and adds the machine's properties. The database
  /// must stay open as long as the session (it holds a reference).
  EngineSession(std::shared_ptr<Database> database, const Machine& machine);

  std::string Property(const std::string& name) const override;
  void SetProperty(const std::string& name, const std::string& value) override;
  std::string ProductProperty(const std::string& name) const override;
  int DoAction(const std::string& action) override;
  std::string TargetPath(const std::string& folder) override;
  std::string SourcePath(const std::string& folder) override;
  std::shared_ptr<Database> GetDatabase() const override { return m_database; }

 private:
  void ResolveSource();
  void CostFinalize();
  // Reads a two-column query into a map, in table order; empty when the table is missing.
  std::vector<std::vector<std::string>> ReadRows(const std::string& table, const std::string& sql,
                                                 int columns);

  std::shared_ptr<Database> m_database;
  std::string m_packagePath;  // Windows form
  std::map<std::string, std::string> m_properties;
  std::map<std::string, std::string> m_packageProperties;
  // Looked up once per file of a package while its file list is built: hashed.
  std::unordered_map<std::string, ResolvedDirectory> m_directories;
  bool m_costed = false;
};

}  // namespace qv::msi
