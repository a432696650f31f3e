#include "paths/record_translation.h"

#include "msidb/database_open.h"
#include "paths/directory_list.h"
#include "paths/formatted_records.h"
#include "platform/ui/ui.h"
#include "services/text_case.h"
#include "state/open_database_scope.h"
#include "state/program_state.h"

namespace qv {
namespace {

// What marks the path lists stale: an event on another package than the current one (or on
// none). The lists and the current package belong to one package; turning to another forgets
// both, so nothing of the earlier package reaches this event.
void TurnToPackage(const std::string& package) {
  if (!package.empty() && SameText(package, OpenDb().szCurrentMsi)) return;
  ResetPathLists();
  ForgetCurrentPackage();
}

}  // namespace

DecodedRecord DecodeRecord(const std::string& package, const std::string& text) {
  OpenDatabaseScope release;
  TurnToPackage(package);
  DecodedRecord decoded;
  if (!IsValidPackage(package, true)) {
    ResetPathLists();
    release.ForgetPackage();
    return decoded;
  }
  ui::BusyScope busy;
  // Opened as the current package, so the error report names it and the lists built while
  // translating are known to be its own.
  OpenMsiDb(package, OpenDb().oDatabase, {.GenSession = true, .bStandardMsi = true});
  if (!OpenDb().oDatabase) {
    release.ForgetPackage();
    ResetPathLists();
    decoded.outcome = DecodeOutcome::kNotOpened;
    return decoded;
  }
  decoded.outcome = DecodeOutcome::kDecoded;
  decoded.text = KeysToPaths(OpenDb().oDatabase, package, text);
  return decoded;
}

std::string EncodeRecord(const std::string& package, const std::string& text, bool* translated) {
  OpenDatabaseScope release;  // what is open is closed first; the package is released after
  TurnToPackage(package);
  return PathsToKeys(package, text, PathsToKeysMode::kFilesThenFolders, translated);
}

}  // namespace qv
