#include "paths/record_translation.h"

#include "msidb/database_open.h"
#include "msidb/open_database_state.h"
#include "paths/formatted_records.h"

namespace qv {

std::optional<std::string> DecodeRecord(const std::string& package, const std::string& text) {
  if (!IsValidPackage(package, true)) return std::nullopt;
  PState state;
  OpenMsiDb("Converter_Frm164", package, OpenDb().oDatabase, true, true, 0, &state, false);
  if (!OpenDb().oDatabase) return std::nullopt;
  std::string formatted = KeysToPaths(OpenDb().oDatabase, package, text);
  OpenDb().oSession = nullptr;
  OpenDb().oDatabase = nullptr;
  return formatted;
}

std::string EncodeRecord(const std::string& package, const std::string& text) {
  CloseVoDatabase();
  return PathsToKeys(package, text, 2);
}

}  // namespace qv
