#include "paths/record_translation.h"

#include "msidb/database_open.h"
#include "paths/formatted_records.h"
#include "platform/ui/ui.h"
#include "state/open_database_scope.h"
#include "state/program_state.h"

namespace qv {

DecodedRecord DecodeRecord(const std::string& package, const std::string& text) {
  DecodedRecord decoded;
  if (!IsValidPackage(package, true)) return decoded;
  ui::BusyScope busy;
  OpenDatabaseScope release;
  OpenMsiDb(package, OpenDb().oDatabase, {.GenSession = true});
  decoded.outcome = OpenDb().oDatabase ? DecodeOutcome::kDecoded : DecodeOutcome::kNotOpened;
  decoded.text = KeysToPaths(OpenDb().oDatabase, package, text);
  return decoded;
}

std::string EncodeRecord(const std::string& package, const std::string& text) {
  CloseVoDatabase();
  return PathsToKeys(package, text, PathsToKeysMode::kFilesThenFolders);
}

}  // namespace qv
