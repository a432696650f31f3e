#include "listview/sort_keys.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "listview/row_order.h"
#include "listview/width_share.h"
#include "services/data_rows.h"

namespace qv {
namespace {

class SortKeysTest : public ::testing::Test {
 protected:
  void SetUp() override { m_env.Set("LC_ALL", "en_US.UTF-8"); }
  test::ScopedEnv m_env;
};

TEST_F(SortKeysTest, DateVersionAndNumberKeysAndTheListsOwnSort) {
  for (const test::DataRow& row : test::DataRows("listview/sort_keys.tsv")) {
    const std::string& text = row[1];
    std::string key;
    if (row[0] == "date") key = DateSortKey(text);
    if (row[0] == "version") key = VersionSortKey(text);
    if (row[0] == "own") key = UsesListTextSort(text, 3) ? "1" : "0";
    if (row[0] == "number") {
      const std::optional<double> number = NumberSortKey(text);
      key = number ? std::to_string(*number) : "none";
    }
    const bool isNumber = row[0] == "number" && row[2] != "none";
    EXPECT_EQ(key, isNumber ? std::to_string(std::stod(row[2])) : row[2]) << row[0] << " " << text;
  }
  EXPECT_EQ(CompareSortKeys("MSI", "10", SortCode::kNumber), std::nullopt);

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
      {"", {{3, D::kList}}},
      {"S2,<5", {{2, D::kList}, {5, D::kAscending}}},
      {"L>2,<,0", {{2, D::kDescending}, {3, D::kAscending}, {0, D::kList}}},
      {"S2,", {{2, D::kList}, {3, D::kList}}},
      {"S 4x,-1", {{4, D::kList}, {-1, D::kList}}},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<int32_t, D>> keys;
    for (const SpecKey& key : SpecKeys(c.spec, 3)) keys.emplace_back(key.column, key.direction);
    EXPECT_EQ(keys, c.keys) << c.spec;
  }
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
  const std::map<char, SortCode> codes = {{'S', SortCode::kText},
                                          {'L', SortCode::kNumber},
                                          {'V', SortCode::kVersion},
                                          {'D', SortCode::kDate}};
  for (const test::DataRow& row : test::DataRows("listview/row_order.tsv")) {
    std::vector<RowSortKey> keys;
    std::istringstream in(row[0]);
    for (std::string key; in >> key;) {
      keys.push_back({std::stoi(key), codes.at(key[key.size() - 2]), key.back() == '<'});
    }
    const std::string& order = row[1];
    EXPECT_EQ(Order(keys), order) << row[0];
    for (size_t i = 0; i + 1 < order.size(); ++i) {
      EXPECT_LE(CompareRows(order[i] - 'a', order[i + 1] - 'a', Cell, keys), 0) << row[0];
    }
  }
}

TEST(StableMergeSortTest, StaysInBoundsAndStableWhateverTheComparison) {
  std::vector<int32_t> order(1000);
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int32_t>(i);
  StableMergeSort(&order, [](int32_t a, int32_t b) { return (a * 7 + b * 3) % 5 - 2; });
  std::vector<int32_t> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i < sorted.size(); ++i) ASSERT_EQ(sorted[i], static_cast<int32_t>(i));

  std::vector<int32_t> byTens = {35, 11, 32, 14, 20, 17};
  StableMergeSort(&byTens, [](int32_t a, int32_t b) { return a / 10 - b / 10; });
  EXPECT_EQ(byTens, (std::vector<int32_t>{11, 14, 17, 20, 35, 32}));
}

TEST(ShareListWidthTest, SharesByWhatTheColumnsNeed) {
  for (const test::DataRow& row : test::DataRows("listview/width_share.tsv")) {
    EXPECT_EQ(
        ShareListWidth(test::Int(row[0]), test::Ints(row[1]), test::Int(row[2]), row[3] == "1"),
        test::Ints(row[4]))
        << row[0] << " " << row[1] << " start " << row[2];
  }
}

}  // namespace
}  // namespace qv
