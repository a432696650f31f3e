#include "state/program_state.h"

#include "platform/base/pending_error.h"
#include "platform/ui/ui.h"
#include "records/record_list.h"
#include "services/text_files.h"

namespace qv {

ProgramState& Program() {
  static ProgramState state;
  return state;
}

OpenDatabaseState& OpenDb() {
  return Program().database;
}

std::string SettingsKeyPath() {
  const std::string& key = Program().SettingsKey;
  return key.empty() ? kDefaultSettingsKey : key;
}

void ResetProgramState() {
  Program() = ProgramState{};
  ClearPendingError();
  ResetRecordLists();
  CloseAllFFiles();
  ui::ResetProgramEnded();
}

}  // namespace qv
