#include "state/open_database_scope.h"

#include "state/program_state.h"

namespace qv {

OpenDatabaseScope::~OpenDatabaseScope() {
  OpenDatabaseState& db = OpenDb();
  db.oSession = nullptr;
  db.oDatabase = nullptr;
}

}  // namespace qv
