// quorvex-cli package queries: the tables of a package, a table as IDT text, and SQL queries.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/msi/engine_installer.h"
#include "platform/msi/error_records.h"
#include "platform/msi/idt_export.h"
#include "platform/msi/package_database.h"

namespace qv::cli {
namespace {

// Opens the package, patch or transform read-only; on failure prints the reason and returns
// null.
std::shared_ptr<msi::PackageDatabase> OpenOrReport(const std::string& path, int* exitCode) {
  std::shared_ptr<msi::PackageDatabase> database;
  const std::string full = PackagePathArgument(path);
  const Status s = msi::OpenPackageDatabase(full, msi::kOpenAnyKind, &database);
  if (!s.ok())
    *exitCode = Fail("cannot open '" + path + "' as an installer package: " + s.message());
  return database;
}

void Write(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}

int RunTables(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage("tables");
  int exitCode = 0;
  auto database = OpenOrReport(args[0], &exitCode);
  if (!database) return exitCode;
  for (const std::string& name : msi::ExportableTables(*database)) Write(name + "\n");
  return 0;
}

int RunExport(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("export");
  int exitCode = 0;
  auto database = OpenOrReport(args[0], &exitCode);
  if (!database) return exitCode;
  if (!msi::CanExportTable(*database, args[1]))
    return Fail("no table '" + args[1] + "' in " + args[0]);
  std::string text;
  const Status s = msi::ExportTableIdt(*database, args[1], &text);
  if (!s.ok()) return Fail("cannot read table '" + args[1] + "': " + s.message());
  Write(text);
  return 0;
}

// What an installer error record of a failed query means, in words.
std::string QueryErrorWords(const msi::Record& record) {
  const std::string arg2 = record.StringData(2);
  const std::string arg3 = record.StringData(3);
  switch (record.IntegerData(1)) {
    case msi::kErrorUnexpectedToken:
      return arg3.empty() ? "the query ends where more was expected"
                          : "unexpected '" + arg3 + "' in the query";
    case msi::kErrorUnknownTable:
      return "no table '" + arg3 + "' in the package";
    case msi::kErrorUnknownColumn:
      return "no column '" + arg3 + "' in the query's table";
    case msi::kErrorExecute:
      return "table '" + arg2 + "' cannot be read: " + arg3;
    case msi::kErrorFetch:
      return "a row of table '" + arg2 + "' cannot be read";
    case msi::kErrorOpenDatabase:
      return "the database cannot be opened";
    default:
      return "the installer reports error " + record.StringData(1);
  }
}

// A failed query in words, followed by the installer's error record as one line.
std::string LastErrorText() {
  std::shared_ptr<msi::Record> record = msi::TakeLastErrorRecord();
  if (!record) return "unknown error";
  std::string text = record->FormatText();
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return QueryErrorWords(*record) + " (error record " + text + ")";
}

int RunQuery(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("query");
  int exitCode = 0;
  auto database = OpenOrReport(args[0], &exitCode);
  if (!database) return exitCode;
  std::shared_ptr<msi::View> view = database->OpenView(args[1]);
  if (!view) return Fail("query failed: " + LastErrorText());
  if (!view->Execute()) return Fail("query failed: " + LastErrorText());
  std::string out;
  while (std::shared_ptr<msi::Record> record = view->Fetch()) {
    for (int i = 1; i <= record->FieldCount(); ++i) {
      if (i > 1) out += '\t';
      out += record->StringData(i);
    }
    out += '\n';
  }
  view->Close();
  Write(out);
  return 0;
}

const CommandRegistration kTables({"tables", "PKG",
                                   "the tables of a package, patch or transform, one per line, "
                                   "as msiinfo tables lists them",
                                   &RunTables});
const CommandRegistration kExport({"export", "PKG TABLE",
                                   "a table as IDT text, as msiinfo export writes it", &RunExport});
const CommandRegistration kQuery({"query", "PKG SQL",
                                  "the rows of a SELECT query, fields separated by tabs",
                                  &RunQuery});

}  // namespace
}  // namespace qv::cli
