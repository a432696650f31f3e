#include "listview/sort_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listview/row_order.h"
#include "listview/width_share.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

class SortKeysTest : public ::testing::Test {
 protected:
  void SetUp() override { m_env.Set("LC_ALL", "en_US.UTF-8"); }
  test::ScopedEnv m_env;
};

TEST_F(SortKeysTest, DateVersionAndNumberKeys) {
  const std::pair<const char*, const char*> cases[] = {
      {"7:5:3 2024-01-31", "45322:07:05:03"},
      {"12:30:05 1/31/30", "10989:12:30:05"},
      {"Jan 31, 2024", "45322:00:00:00"},
      {"11:00:00 PM 1/31/2024", "45322:11:00:00"},
      // The seconds end at a blank: after a date that comes first there is none.
      {"1/31/2024 12:30:05", "45322:12:30:00"},
      {"12:30:05", "0:12:30:00"},
      // Texts that are no dates sort as 1 January 2200.
      {"", "109575:00:00:00"},
      {"12:30:05 2/30/2024", "109575:12:30:05"},
  };
  for (const auto& [text, key] : cases) EXPECT_EQ(DateSortKey(text), key) << text;

  const std::pair<const char*, const char*> versions[] = {
      {"1.2.30", "000010000200030"}, {"", ""},        {"Install", "00000"},
      {"123456.7", "2345600007"},    {"-3", "000-3"},
  };
  for (const auto& [text, key] : versions) EXPECT_EQ(VersionSortKey(text), key) << text;

  const std::pair<const char*, std::optional<double>> numbers[] = {
      {"$100", 100}, {" 12 ", 12}, {"-1.5", -1.5}, {"1e3", 1000}, {"inf", std::nullopt},
  };
  for (const auto& [text, number] : numbers) EXPECT_EQ(NumberSortKey(text), number) << text;

  m_env.Set("LC_ALL", "de_DE.UTF-8");
  EXPECT_EQ(DateSortKey("12:30:05 31.01.2024"), "45322:12:30:05");
  EXPECT_EQ(DateSortKey("12:30:05 1/31/2024"), "109575:12:30:05");
}

TEST_F(SortKeysTest, ReadsTheKeysOfASpecification) {
  using D = KeyDirection;
  struct Case {
    const char* spec;
    std::vector<std::pair<int32_t, D>> keys;
  };
  const Case cases[] = {
      {"S", {{3, D::kList}}},
      {"S2,<5", {{2, D::kList}, {5, D::kAscending}}},
      {"L>2,<,0", {{2, D::kDescending}, {3, D::kAscending}, {0, D::kList}}},
      {"S 4x,-1", {{4, D::kList}, {-1, D::kList}}},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<int32_t, D>> keys;
    for (const SpecKey& key : SpecKeys(c.spec, 3)) keys.emplace_back(key.column, key.direction);
    EXPECT_EQ(keys, c.keys) << c.spec;
  }

  const std::pair<const char*, bool> own[] = {
      {"", true},    {"s", true},     {"X3", true},   {"L", false},
      {"S2", false}, {"S3,5", false}, {"S<3", false},
  };
  for (const auto& [tag, expected] : own) EXPECT_EQ(UsesListTextSort(tag, 3), expected) << tag;
}

// Rows of (name, type, size, version, date), sorted by keys; the result is the names.
class RowOrderTest : public SortKeysTest {
 protected:
  std::string Order(const std::vector<RowSortKey>& keys) {
    std::string names;
    for (int32_t row : OrderRows(static_cast<int32_t>(m_rows.size()), Cell, keys)) {
      names += m_rows[static_cast<size_t>(row)][0];
    }
    return names;
  }
  CellReader Cell = [this](int32_t row, int32_t column) -> std::string_view {
    const auto& cells = m_rows[static_cast<size_t>(row)];
    if (column < 1 || column > static_cast<int32_t>(cells.size())) return {};
    return cells[static_cast<size_t>(column) - 1];
  };
  std::vector<std::vector<std::string>> m_rows = {
      {"a", "MSI", "10000", "1.10", "10:00:00 2/1/2024"},
      {"b", "MSM", "900", "1.9", "23:59:59 1/31/2024"},
      {"c", "MSI", "1.5", "1.9.1", "08:00:00 2/1/2024"},
      {"d", "LOG", "-3", "2.0", ""},
      {"e", "MSI", "900", "Install", "08:00:01 2/1/2024"},
  };
};

TEST_F(RowOrderTest, SortsByTypedKeys) {
  using C = SortCode;
  const std::pair<std::vector<RowSortKey>, const char*> cases[] = {
      {{{3, C::kNumber, true}}, "dcbea"},
      {{{4, C::kVersion, true}}, "ebcad"},
      // 1 January 2200 is written with six digits and compares as text before five.
      {{{5, C::kDate, true}}, "dbcea"},
      {{{2, C::kText, false}, {3, C::kNumber, true}, {1, C::kText, false}}, "bcead"},
      // A size that is no number ends the comparison of its pairs before the next key.
      {{{9, C::kNumber, true}, {1, C::kText, false}}, "abcde"},
  };
  for (const auto& [keys, names] : cases) EXPECT_EQ(Order(keys), names) << names;
}

TEST(ShareListWidthTest, SharesByWhatTheColumnsNeed) {
  struct Case {
    int32_t width;
    std::vector<int32_t> need;
    int32_t start;
    bool skipEmpty;
    std::vector<int32_t> widths;
  };
  const Case cases[] = {
      {9000, {200, 200, 200}, 1, false, {3000, 3000, 3000}},   // no text: equal shares
      {9000, {1000, 500, 400}, 3, false, {1200, 500, 400}},    // all fit: the first gets 200 more
      {6000, {5000, 3000, 400}, 1, false, {2800, 2800, 400}},  // the list's width shared
      {6000, {5000, 3000, 400}, 2, false, {5200, 3000, 400}},  // half again as much room
      {6000, {5000, 3000, 400}, 9, false, {5200, 3000, 400}}, {6000, {}, 1, false, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShareListWidth(c.width, c.need, c.start, c.skipEmpty), c.widths)
        << c.width << " start " << c.start;
  }
}

}  // namespace
}  // namespace qv
