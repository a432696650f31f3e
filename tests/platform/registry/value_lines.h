#pragma once
// The value lines of tests/data/registry/value_lines.txt, each with the value it holds.

#include <string>
#include <vector>

#include "platform/registry/value.h"
#include "support/data_rows.h"

namespace qv::registry {

/// A value line of a Wine registry file, the value's name and the value the line holds.
struct ValueLine {
  std::string line;
  std::string name;
  Value value;
};

/// Every value line of the data file.
inline std::vector<ValueLine> ValueLines() {
  std::vector<ValueLine> lines;
  for (const test::DataRow& row : test::DataRows("registry/value_lines.txt")) {
    const Value value = row[1] == "-" ? Value::Tombstone() : Value::Raw(std::stoul(row[1]), row[2]);
    lines.push_back({row[0], row[0][0] == '@' ? "" : "v", value});
  }
  return lines;
}

}  // namespace qv::registry
