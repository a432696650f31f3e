#pragma once
// Tables of test cases kept as text under tests/data: one row a line, fields cut at tabs,
// blank lines and lines beginning with "#" skipped. In a field \t, \r, \n, \\ and \xHH stand
// for the byte they name, so texts with control or non-ASCII bytes can be written out.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace qv::test {

using DataRow = std::vector<std::string>;

/// The rows of tests/data/<name> with their escapes decoded; a missing file fails the test.
inline std::vector<DataRow> DataRows(const std::string& name) {
  const std::string text = ReadFile(std::string(QV_TEST_DATA_DIR) + "/" + name);
  EXPECT_FALSE(text.empty()) << name;
  std::vector<DataRow> rows;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    DataRow& row = rows.emplace_back(1);
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '\t') {
        row.emplace_back();
      } else if (line[i] != '\\' || i + 1 == line.size()) {
        row.back() += line[i];
      } else if (const char c = line[++i]; c == 'x' && i + 2 < line.size()) {
        row.back() += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else {
        row.back() += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
      }
    }
  }
  return rows;
}

/// A field as a number.
inline int32_t Int(const std::string& field) {
  return static_cast<int32_t>(std::stol(field));
}

/// A field of numbers separated by blanks.
inline std::vector<int32_t> Ints(const std::string& field) {
  std::vector<int32_t> numbers;
  std::istringstream in(field);
  for (int32_t number = 0; in >> number;) numbers.push_back(number);
  return numbers;
}

}  // namespace qv::test
