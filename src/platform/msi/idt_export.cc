#include "platform/msi/idt_export.h"

namespace qv::msi {
namespace {

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

Status ExportTableIdt(PackageDatabase& database, const std::string& name, std::string* text) {
  text->clear();
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
