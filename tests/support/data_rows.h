#pragma once
// Test data kept as files under tests/data, and rows of tab-separated fields read from text:
// one row a line, blank lines and lines beginning with "#" skipped.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace qv::test {

using DataRow = std::vector<std::string>;

/// The bytes of tests/data/<name>; a missing file fails the test.
inline std::string DataFile(const std::string& name) {
  const std::string bytes = ReadFile(std::string(QV_TEST_DATA_DIR) + "/" + name);
  EXPECT_FALSE(bytes.empty()) << name;
  return bytes;
}

/// The rows of text.
inline std::vector<DataRow> Rows(const std::string& text) {
  std::vector<DataRow> rows;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    DataRow& row = rows.emplace_back(1);
    for (char c : line) {
      if (c == '\t') {
        row.emplace_back();
      } else {
        row.back() += c;
      }
    }
  }
  return rows;
}

/// The rows of tests/data/<name> whose first field is kind, without that field.
inline std::vector<DataRow> DataRows(const std::string& name, const std::string& kind) {
  std::vector<DataRow> rows;
  for (DataRow& row : Rows(DataFile(name))) {
    if (row[0] == kind) rows.emplace_back(row.begin() + 1, row.end());
  }
  EXPECT_FALSE(rows.empty()) << name << ": no " << kind << " rows";
  return rows;
}

}  // namespace qv::test
