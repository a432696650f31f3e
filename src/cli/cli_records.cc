// quorvex-cli dirs / decode / encode: a package's resolved folders, and the record tab's two
// translations.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/program_setup.h"
#include "cli/command.h"
#include "cli/held_package.h"
#include "msidb/database_open.h"
#include "msidb/views.h"
#include "paths/record_translation.h"
#include "platform/base/pending_error.h"
#include "state/program_state.h"

namespace qv::cli {
namespace {

void Print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

// Checks and opens the package for reading with a session; prints why not and returns false.
bool OpenWithSession(const std::string& package) {
  if (!IsValidPackage(package, true)) {
    Fail("'" + package + "' is not an installer package that can be opened");
    return false;
  }
  const std::string error =
      OpenMsiDbVb(package, OpenDb().oDatabase, {.GenSession = true, .bStandardMsi = true});
  if (!error.empty()) {
    Fail(error);
    return false;
  }
  return true;
}

int RunDirs(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage("dirs");
  const std::string package = PackagePathArgument(args[0]);
  if (!SetUpProgramState()) return Fail("the installer object cannot be created");
  if (!OpenWithSession(package)) return 1;
  OpenDatabaseState& db = OpenDb();
  if (!db.oSession) return Fail("no installer session could be generated for '" + package + "'");
  std::shared_ptr<msi::View> view;
  QuorvexOpenView(view, db.oDatabase, "SELECT `Directory` FROM `Directory`", "quorvex-cli", 1);
  if (!view) return 0;  // a package without folders
  if (view->Execute()) {
    while (std::shared_ptr<msi::Record> row = view->Fetch()) {
      const std::string key = row->StringData(1);
      const std::string target = db.oSession->TargetPath(key);
      const std::string source = db.oSession->SourcePath(key);
      ClearPendingError();
      Print(key + "\t" + target + "\t" + source);
    }
  }
  oViewClose(view);
  return 0;
}

int RunDecode(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("decode");
  std::string text;
  if (!TextArgument(args[1], &text)) return Fail("standard input cannot be read");
  const std::string package = PackagePathArgument(args[0]);
  if (!SetUpProgramState()) return Fail("the installer object cannot be created");
  const HeldPackageCopy readable(package);
  const DecodedRecord decoded = DecodeRecord(readable.path(), text);
  if (decoded.outcome != DecodeOutcome::kDecoded) {
    return Fail("'" + package + "' is not an installer package that can be opened");
  }
  Print(decoded.text);
  return 0;
}

int RunEncode(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("encode");
  std::string text;
  if (!TextArgument(args[1], &text)) return Fail("standard input cannot be read");
  const std::string package = PackagePathArgument(args[0]);
  if (!SetUpProgramState()) return Fail("the installer object cannot be created");
  const HeldPackageCopy readable(package);
  if (!IsValidPackage(readable.path(), true)) {
    return Fail("'" + package + "' is not an installer package that can be opened");
  }
  const std::string encoded = EncodeRecord(readable.path(), text);
  CloseVoDatabase();  // the copy is removed after this, and nothing may hold it then
  Print(encoded);
  return 0;
}

const CommandRegistration kDirs({"dirs", "PKG",
                                 "every Directory key with its target and source folder, "
                                 "tab-separated, as a session resolves them",
                                 &RunDirs});
const CommandRegistration kDecode({"decode", "PKG TEXT",
                                   "TEXT with [#File], [!File], [$Component], [Directory] and "
                                   "[Property] keys replaced by paths and values (TEXT - reads "
                                   "standard input)",
                                   &RunDecode});
const CommandRegistration kEncode({"encode", "PKG TEXT",
                                   "TEXT with full paths replaced by the package's keys (TEXT - "
                                   "reads standard input)",
                                   &RunEncode});

}  // namespace
}  // namespace qv::cli
