#include "platform/msi/table_reader.h"

#include "platform/base/little_endian.h"

namespace qv::msi {

Status ReadTableStream(std::string_view stream, const StringPool& pool,
                       const StreamLookup& findStream, Table* table) {
  const std::vector<Column>& columns = table->Columns();
  size_t rowWidth = 0;
  for (const Column& c : columns) rowWidth += ColumnWidth(c.type, pool.ReferenceSize());
  if (rowWidth == 0) {
    table->Resize(0);
    return Status::Ok();
  }
  const uint32_t rows = static_cast<uint32_t>(stream.size() / rowWidth);
  table->Resize(rows);
  size_t pos = 0;
  bool hasBinary = false;
  for (size_t col = 0; col < columns.size(); ++col) {
    const int type = columns[col].type;
    const int width = ColumnWidth(type, pool.ReferenceSize());
    const bool isString = IsStringColumn(type) && !IsBinaryColumn(type);
    hasBinary = hasBinary || IsBinaryColumn(type);
    for (uint32_t row = 0; row < rows; ++row, pos += width) {
      const char* at = stream.data() + pos;
      const uint32_t raw = width == 2 ? ReadLe16(at) : width == 3 ? ReadLe24(at) : ReadLe32(at);
      if (isString && raw >= pool.Count()) {
        return Status::Corruption("stream " + table->Name() + ", byte " + std::to_string(pos) +
                                  ": string id " + std::to_string(raw) + " is not in the pool");
      }
      table->SetRaw(row, static_cast<int>(col), raw);
    }
  }
  if (!hasBinary) return Status::Ok();

  // Binary cells point to streams named after the table and the row's key values.
  std::vector<int> keys;
  for (size_t col = 0; col < columns.size(); ++col) {
    if (IsKeyColumn(columns[col].type)) keys.push_back(static_cast<int>(col));
  }
  for (uint32_t row = 0; row < rows; ++row) {
    std::string name = table->Name();
    for (int key : keys) {
      name += '.';
      name += table->Text(row, key);
    }
    for (size_t col = 0; col < columns.size(); ++col) {
      if (!IsBinaryColumn(columns[col].type)) continue;
      table->SetRaw(row, static_cast<int>(col), findStream ? findStream(name) : 0);
    }
  }
  return Status::Ok();
}

}  // namespace qv::msi
