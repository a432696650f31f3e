#include "platform/msi/string_pool.h"

#include <gtest/gtest.h>

#include "support/le_bytes.h"

namespace qv::msi {
namespace {

using test::Le;

// A _StringPool stream: the header, then (length, reference count) per entry.
std::string Pool(uint32_t header, std::initializer_list<std::pair<uint16_t, uint16_t>> entries) {
  std::string out = Le(header, 4);
  for (const auto& [length, refs] : entries) out += Le(length, 2) + Le(refs, 2);
  return out;
}

TEST(StringPoolTest, DecodesEntriesAndNamesTheFirstOneThatDoesNotFit) {
  const struct {
    std::string pool, data, outcome;  // outcome: reference size and strings, or the error
  } cases[] = {
      {"", "", "2:"},
      {Pool(1252, {{3, 1}, {0, 0}, {2, 1}}), "abcde", "2:abc||de"},
      {Pool(0x80000000u | 1252, {{3, 1}}), "abc", "3:abc"},
      // A long string's length is in the next entry, which takes no id.
      {Pool(1252, {{0, 1}, {5, 0}, {1, 1}}), "abcdef", "2:abcde|f"},
      {Pool(1251, {{2, 1}}), "\xCF\xF3", "2:\xD0\x9F\xD1\x83"},
      {"\x01\x02", "", "Corruption: stream _StringPool, byte 0: header shorter than 4 bytes"},
      {Pool(1252, {{2, 1}, {0, 1}}), "ab",
       "Corruption: stream _StringPool, byte 8: long string without its length entry"},
      {Pool(1252, {{2, 1}, {10, 1}}), "abc",
       "Corruption: stream _StringPool, byte 8: string of 10 bytes runs past the end of "
       "_StringData (3 bytes)"},
      {Pool(12345, {{1, 1}}), "\xE9", "Not supported: stream _StringPool, byte 0: codepage 12345"},
  };
  for (const auto& c : cases) {
    StringPool pool;
    const Status s = pool.Load(c.pool, c.data);
    std::string outcome = std::to_string(pool.ReferenceSize()) + ":";
    for (uint32_t id = 1; id < pool.Count(); ++id) {
      outcome += (id > 1 ? "|" : "") + std::string(pool.Get(id));
    }
    EXPECT_EQ(s.ok() ? outcome : s.ToString(), c.outcome) << c.data;
  }
}

}  // namespace
}  // namespace qv::msi
