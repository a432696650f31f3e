#include "platform/msi/table_reader.h"

#include <gtest/gtest.h>

#include "support/le_bytes.h"

namespace qv::msi {
namespace {

using test::Le;

constexpr int kKeyText = kColumnValid | kColumnString | kColumnText | kColumnKey | 72;
constexpr int kShort = kColumnValid | kColumnNullable | 2;
constexpr int kLong = kColumnValid | 4;
constexpr int kStream = kColumnValid | kColumnString | kColumnNullable;

TEST(TableReaderTest, ReadsColumnAfterColumnAndRefusesUnknownStrings) {
  const std::string pool2 = Le(1252, 4) + Le(3, 2) + Le(1, 2) + Le(2, 2) + Le(1, 2);
  const std::string pool3 = Le(0x80000000u | 1252, 4) + pool2.substr(4);
  const struct {
    const std::string& pool;
    std::string stream, outcome;  // outcome: rows as key|short|long|stream, or the error
  } cases[] = {
      {pool2,
       Le(1, 2) + Le(2, 2) + Le(0x8005, 2) + Le(0, 2) + Le(0x7FFFFFFF, 4) + Le(1, 4) + Le(0, 4),
       "abc|5|-1|9;de|~|-2147483647|0"},
      {pool3, Le(2, 3) + Le(0x8000 - 7, 2) + Le(0x80000010, 4) + Le(0, 2), "de|-7|16|0"},
      // A stream that is not a whole number of rows keeps its whole rows.
      {pool2, Le(1, 2) + Le(0x8001, 2) + Le(0x80000001, 4) + Le(0, 2) + "\x01", "abc|1|1|9"},
      {pool2, Le(1, 2) + Le(7, 2) + std::string(16, '\0'),
       "Corruption: stream T, byte 2: string id 7 is not in the pool"},
  };
  for (const auto& c : cases) {
    StringPool pool;
    ASSERT_TRUE(pool.Load(c.pool, "abcde").ok());
    Table table("T", {{"Key", kKeyText}, {"Short", kShort}, {"Long", kLong}, {"Data", kStream}},
                &pool);
    // The binary cell points to the stream named after the table and the row's key.
    const auto lookup = [](const std::string& name) { return name == "T.abc" ? 9u : 0u; };
    const Status s = ReadTableStream(c.stream, pool, lookup, &table);
    std::string rows;
    for (uint32_t row = 0; row < table.RowCount(); ++row) {
      rows += row > 0 ? ";" : "";
      for (int col = 0; col < 4; ++col) {
        rows += (col > 0 ? "|" : "") + (col == 3 ? std::to_string(table.Raw(row, col))
                                        : table.IsNull(row, col) ? "~"
                                                                 : table.Text(row, col));
      }
    }
    EXPECT_EQ(s.ok() ? rows : s.ToString(), c.outcome) << c.outcome;
  }
}

}  // namespace
}  // namespace qv::msi
