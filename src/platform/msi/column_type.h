#pragma once
// Column type bits of installer tables (the Type column of _Columns).

#include <string>

namespace qv::msi {

inline constexpr int kColumnSizeMask = 0x00FF;
inline constexpr int kColumnValid = 0x0100;
inline constexpr int kColumnLocalizable = 0x0200;
inline constexpr int kColumnText = 0x0400;
inline constexpr int kColumnString = 0x0800;
inline constexpr int kColumnNullable = 0x1000;
inline constexpr int kColumnKey = 0x2000;
inline constexpr int kColumnTemporary = 0x4000;

/// One column of a table: its name and type bits.
struct Column {
  std::string name;
  int type = 0;
};

/// True for columns holding string references (text and binary columns).
inline bool IsStringColumn(int type) {
  return (type & kColumnString) != 0;
}
/// True for binary columns, whose data lives in a stream named after the row's keys.
inline bool IsBinaryColumn(int type) {
  return (type & (kColumnString | kColumnText)) == kColumnString && (type & kColumnSizeMask) == 0;
}
/// True for columns that may hold null.
inline bool IsNullableColumn(int type) {
  return (type & kColumnNullable) != 0;
}
/// True for primary key columns.
inline bool IsKeyColumn(int type) {
  return (type & kColumnKey) != 0;
}
/// Bytes one cell of the column takes in the table stream.
int ColumnWidth(int type, int stringReferenceSize);
/// The column type as IDT files write it: "s72", "L0", "i2", "I4", "v0", ...
std::string IdtTypeText(int type);

}  // namespace qv::msi
