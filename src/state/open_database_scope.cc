#include "state/open_database_scope.h"

#include "state/program_state.h"

namespace qv {

OpenDatabaseScope::OpenDatabaseScope() {
  ReleaseOpenDatabase();
}

OpenDatabaseScope::~OpenDatabaseScope() {
  ReleaseOpenDatabase();
  if (m_forget) ForgetCurrentPackage();
}

void ReleaseOpenDatabase() {
  OpenDatabaseState& db = OpenDb();
  db.oSession = nullptr;
  db.oDatabase = nullptr;
}

void ForgetCurrentPackage() {
  OpenDatabaseState& db = OpenDb();
  db.szCurrentMsi.clear();
  db.szSourceDir.clear();
  db.szTargetDir.clear();
  db.szRootDrive.clear();
}

}  // namespace qv
