#pragma once
// A decoded table: its columns and cells, with equality indexes built on first use.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/msi/column_type.h"
#include "platform/msi/string_pool.h"

namespace qv::msi {

/// A cell's value as queries see it.
struct CellValue {
  enum class Kind { kNull, kInteger, kText };
  Kind kind = Kind::kNull;
  int32_t integer = 0;
  std::string_view text;  ///< valid while the table's database is open
};

/// One table of an open database; rows stay in stored (primary key) order.
class Table {
 public:
  /// A table whose text cells are string ids of pool, which must outlive it.
  Table(std::string name, std::vector<Column> columns, const StringPool* pool);
  const std::string& Name() const { return m_name; }
  const std::vector<Column>& Columns() const { return m_columns; }
  uint32_t RowCount() const { return m_rows; }

  /// Sets the size; cells start null. Used while decoding.
  void Resize(uint32_t rows);
  /// Raw cell: string id, stored integer (sign bit flipped, 0 null), or for binary columns
  /// the directory entry of the row's stream plus one (0 null).
  uint32_t Raw(uint32_t row, int column) const { return m_cells[Slot(row, column)]; }
  /// Sets a raw cell. Used while decoding.
  void SetRaw(uint32_t row, int column, uint32_t raw) { m_cells[Slot(row, column)] = raw; }
  /// Adds a text owned by the table (pseudo-tables); returns the raw value to store for it.
  uint32_t AddLocalText(std::string text);

  /// True when the cell is null.
  bool IsNull(uint32_t row, int column) const { return Raw(row, column) == 0; }
  /// A text cell's value ("" when null); for integer cells their decimal text.
  std::string Text(uint32_t row, int column) const;
  /// A cell as a query value.
  CellValue Value(uint32_t row, int column) const;
  /// The text of a string cell's raw value (a string pool reference or a local text); the
  /// view lives as long as the table.
  std::string_view TextOf(uint32_t raw) const;
  /// Rows whose column equals the value, through a hash index built on the first call.
  const std::vector<uint32_t>& RowsEqual(int column, const CellValue& value) const;

 private:
  size_t Slot(uint32_t row, int column) const { return static_cast<size_t>(column) * m_rows + row; }
  struct ColumnIndexMaps {
    std::unordered_map<std::string_view, std::vector<uint32_t>> byText;
    std::unordered_map<int32_t, std::vector<uint32_t>> byInteger;
  };

  std::string m_name;
  std::vector<Column> m_columns;
  const StringPool* m_pool;
  std::vector<std::unique_ptr<std::string>> m_localText;  // pseudo-table texts, raw = index + 1
  uint32_t m_rows = 0;
  std::vector<uint32_t> m_cells;  // column after column, as stored
  mutable std::vector<std::unique_ptr<ColumnIndexMaps>> m_indexes;
};

/// The value of a stored integer cell of a column with the given type.
int32_t StoredToInteger(uint32_t raw, int type);

}  // namespace qv::msi
