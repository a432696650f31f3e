#include "platform/msi/idt_export.h"

#include <time.h>

#include <cstdio>

namespace qv::msi {
namespace {

constexpr const char* kSummaryTable = "_SummaryInformation";
constexpr const char* kCodepageTable = "_ForceCodepage";
// FILETIME of 1970-01-01 00:00:00 UTC, in 100-nanosecond units since 1601.
constexpr uint64_t kUnixEpochFileTime = 116444736000000000ULL;

// A summary time in local time, as "2026/12/06 05:29:36".
std::string LocalTimeText(uint64_t fileTime) {
  const int64_t seconds = (static_cast<int64_t>(fileTime / 10'000'000)) -
                          static_cast<int64_t>(kUnixEpochFileTime / 10'000'000);
  const time_t t = static_cast<time_t>(seconds);
  struct tm local {};
  if (localtime_r(&t, &local) == nullptr) return "";
  char text[96];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

// The summary information as a table of property ids and values, in id order.
std::string SummaryIdt(const SummaryInfo& summary) {
  std::string out =
      "PropertyId\tValue\r\ni2\tl255\r\n" + std::string(kSummaryTable) + "\tPropertyId\r\n";
  for (const auto& [pid, value] : summary.Properties()) {
    if (!IsTableSummaryProperty(pid)) continue;
    out += std::to_string(pid) + "\t";
    switch (value.kind) {
      case SummaryValue::Kind::kInteger:
        out += std::to_string(value.integer);
        break;
      case SummaryValue::Kind::kText:
        out += value.storedText;  // as msiinfo writes it: the bytes as stored
        break;
      case SummaryValue::Kind::kFileTime:
        out += LocalTimeText(value.fileTime);
        break;
    }
    out += "\r\n";
  }
  return out;
}

// Tabs, line ends and backslashes inside a field are escaped so each row stays one line.
void AppendField(std::string* out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '\t':
        out->append("\x10");
        break;
      case '\r':
        out->append("\x11");
        break;
      case '\n':
        out->append("\x19");
        break;
      default:
        out->push_back(c);
    }
  }
}

}  // namespace

bool IsTableSummaryProperty(uint32_t pid) {
  // The ids that have a type in the installer's summary information; 10 (editing time) and 17
  // (thumbnail) have none.
  return pid >= kPidCodepage && pid <= kPidSecurity && pid != 10 && pid != 17;
}

std::vector<std::string> ExportableTables(const PackageDatabase& database) {
  std::vector<std::string> names = {kSummaryTable, kCodepageTable};
  names.insert(names.end(), database.TableNames().begin(), database.TableNames().end());
  return names;
}

bool CanExportTable(const PackageDatabase& database, const std::string& name) {
  return name == kSummaryTable || name == kCodepageTable || database.HasTable(name);
}

Status ExportTableIdt(PackageDatabase& database, const std::string& name, std::string* text) {
  text->clear();
  if (name == kSummaryTable) {
    *text = SummaryIdt(database.Summary());
    return Status::Ok();
  }
  if (name == kCodepageTable) {
    // Two empty header lines, the codepage line, and a NUL byte: what msiinfo writes.
    *text = "\r\n\r\n" + std::to_string(static_cast<uint32_t>(database.Strings().Codepage())) +
            "\t" + kCodepageTable + "\r\n";
    text->push_back('\0');
    return Status::Ok();
  }
  const Table* table = nullptr;
  if (Status s = database.GetTable(name, &table); !s.ok()) return s;
  const std::vector<Column>& columns = table->Columns();
  std::string& out = *text;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i) out += '\t';
    out += columns[i].name;
  }
  out += "\r\n";
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i) out += '\t';
    out += IdtTypeText(columns[i].type);
  }
  out += "\r\n";
  out += name;
  for (const Column& c : columns) {
    if (IsKeyColumn(c.type)) out += "\t" + c.name;
  }
  out += "\r\n";
  for (uint32_t row = 0; row < table->RowCount(); ++row) {
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i) out += '\t';
      const int column = static_cast<int>(i);
      if (table->IsNull(row, column)) continue;
      if (IsBinaryColumn(columns[i].type)) {
        AppendField(&out, database.CellStreamName(*table, row));
      } else if (IsStringColumn(columns[i].type)) {
        AppendField(&out, table->Value(row, column).text);
      } else {
        out += std::to_string(table->Value(row, column).integer);
      }
    }
    out += "\r\n";
  }
  return Status::Ok();
}

}  // namespace qv::msi
