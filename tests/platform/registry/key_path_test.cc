#include "platform/registry/key_path.h"

#include <gtest/gtest.h>

#include <map>

#include "support/data_rows.h"

namespace qv::registry {
namespace {

TEST(KeyPathTest, SplitsRootsAndRelativePaths) {
  const std::map<std::string, Root> roots = {{"HKLM", Root::kLocalMachine},
                                             {"HKCR", Root::kClassesRoot},
                                             {"HKCU", Root::kCurrentUser},
                                             {"HKU", Root::kUsers}};
  for (const test::DataRow& row : test::DataRows("registry/key_names.txt", "KeyPath")) {
    KeyPath kp = ParseKeyPath(row[0]);
    EXPECT_EQ(kp.root, roots.at(row[1])) << row[0];
    EXPECT_EQ(kp.path, row[2]) << row[0];
  }
}

}  // namespace
}  // namespace qv::registry
