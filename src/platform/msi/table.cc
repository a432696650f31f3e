#include "platform/msi/table.h"

#include <utility>

namespace qv::msi {

int32_t StoredToInteger(uint32_t raw, int type) {
  if ((type & kColumnSizeMask) <= 2) return static_cast<int32_t>(raw) - 0x8000;
  return static_cast<int32_t>(raw - 0x80000000u);
}

Table::Table(std::string name, std::vector<Column> columns, const StringPool* pool)
    : m_name(std::move(name)), m_columns(std::move(columns)), m_pool(pool) {
  m_indexes.resize(m_columns.size());
}

void Table::Resize(uint32_t rows) {
  m_rows = rows;
  m_cells.assign(static_cast<size_t>(rows) * m_columns.size(), 0);
}

uint32_t Table::AddLocalText(std::string text) {
  m_localText.push_back(std::make_unique<std::string>(std::move(text)));
  return static_cast<uint32_t>(m_localText.size());
}

std::string_view Table::TextOf(uint32_t raw) const {
  if (raw == 0) return {};
  if (!m_localText.empty()) {
    return raw <= m_localText.size() ? std::string_view(*m_localText[raw - 1]) : std::string_view();
  }
  return m_pool ? m_pool->Get(raw) : std::string_view();
}

std::string Table::Text(uint32_t row, int column) const {
  const CellValue v = Value(row, column);
  if (v.kind == CellValue::Kind::kInteger) return std::to_string(v.integer);
  return std::string(v.text);
}

CellValue Table::Value(uint32_t row, int column) const {
  const uint32_t raw = Raw(row, column);
  CellValue v;
  if (raw == 0) return v;
  const int type = m_columns[column].type;
  if (IsBinaryColumn(type)) {
    v.kind = CellValue::Kind::kInteger;  // binary cells compare only by null-ness
    v.integer = static_cast<int32_t>(raw);
  } else if (IsStringColumn(type)) {
    v.kind = CellValue::Kind::kText;
    v.text = TextOf(raw);
  } else {
    v.kind = CellValue::Kind::kInteger;
    v.integer = StoredToInteger(raw, type);
  }
  return v;
}

const std::vector<uint32_t>& Table::RowsEqual(int column, const CellValue& value) const {
  static const std::vector<uint32_t> kNone;
  if (column < 0 || static_cast<size_t>(column) >= m_columns.size()) return kNone;
  if (IsBinaryColumn(m_columns[column].type)) return kNone;
  std::unique_ptr<ColumnIndexMaps>& index = m_indexes[column];
  if (!index) {
    index = std::make_unique<ColumnIndexMaps>();
    for (uint32_t row = 0; row < m_rows; ++row) {
      const CellValue v = Value(row, column);
      if (v.kind == CellValue::Kind::kText) index->byText[v.text].push_back(row);
      if (v.kind == CellValue::Kind::kInteger) index->byInteger[v.integer].push_back(row);
    }
  }
  if (value.kind == CellValue::Kind::kText) {
    auto it = index->byText.find(value.text);
    return it == index->byText.end() ? kNone : it->second;
  }
  if (value.kind == CellValue::Kind::kInteger) {
    auto it = index->byInteger.find(value.integer);
    return it == index->byInteger.end() ? kNone : it->second;
  }
  return kNone;
}

}  // namespace qv::msi
