#include "msidb/open_database_state.h"

namespace qv {

OpenDatabaseState& OpenDb() {
  static OpenDatabaseState state;
  return state;
}

}  // namespace qv
