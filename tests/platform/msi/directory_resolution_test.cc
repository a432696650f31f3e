#include "platform/msi/directory_resolution.h"

#include <gtest/gtest.h>

#include <map>

#include "support/data_rows.h"

namespace qv::msi {
namespace {

TEST(DefaultDirTest, SplitsTargetAndSourceNames) {
  for (const test::DataRow& row : test::DataRows("engine/directories.txt", "DefaultDir")) {
    const DefaultDirNames n = SplitDefaultDir(row[0]);
    EXPECT_EQ(n.targetShort + "|" + n.targetLong + "|" + n.sourceShort + "|" + n.sourceLong,
              row[1]);
  }
}

using PathMap = std::map<std::string, std::string>;

class ResolutionTest : public ::testing::Test {
 protected:
  std::map<std::string, ResolvedDirectory> Resolve(const std::vector<DirectoryRow>& rows,
                                                   bool shortSource = false) {
    return ResolveDirectories(
        rows,
        [this](const std::string& name) {
          auto it = properties.find(name);
          return it == properties.end() ? std::string() : it->second;
        },
        shortSource);
  }
  // Each resolved key as "target <- source".
  PathMap Resolved(const std::vector<DirectoryRow>& rows, bool shortSource = false) {
    PathMap paths;
    for (const auto& [key, d] : Resolve(rows, shortSource))
      paths[key] = d.target + " <- " + d.source;
    return paths;
  }
  PathMap properties = {{"ROOTDRIVE", "C:\\"}, {"SourceDir", "Z:\\pkgs\\"}};
};

TEST_F(ResolutionTest, FollowsParentsNamesAndProperties) {
  const PathMap machine = properties;
  for (const char* table : {"parents", "targetdir", "cycles"}) {
    SCOPED_TRACE(table);
    properties = machine;
    std::vector<DirectoryRow> rows;
    PathMap expected, expectedShort;
    for (const test::DataRow& row : test::DataRows("engine/directories.txt")) {
      if (row[1] == table && row[0] == "Row") rows.push_back({row[2], row[3], row[4]});
      if (row[1] == table && row[0] == "Property") properties[row[2]] = row[3];
      if (row[1] == table && row[0] == "Resolved") expected[row[2]] = row[3];
      if (row[1] == table + std::string(" short")) expectedShort[row[2]] = row[3];
    }
    EXPECT_EQ(Resolved(rows), expected);
    for (const auto& [key, paths] : expectedShort) EXPECT_EQ(Resolved(rows, true)[key], paths);
  }
}

TEST_F(ResolutionTest, DeepChainsResolveWithoutRecursionUpToAPathLimit) {
  // 200,000 levels would overflow a recursive walk; paths stop growing at 4,096 characters.
  std::vector<DirectoryRow> rows = {{"TARGETDIR", "", "SourceDir"}};
  const int depth = 200000;
  for (int i = 0; i < depth; ++i) {
    rows.push_back(
        {"D" + std::to_string(i), i == 0 ? "TARGETDIR" : "D" + std::to_string(i - 1), "x"});
  }
  auto r = Resolve(rows);
  // The source "Z:\pkgs\" grows by "x\" per level and fits for levels 0..2043.
  ASSERT_EQ(r.size(), 1u + 2044u);
  EXPECT_EQ(r["D2043"].source.size(), 8u + 2u * 2044);
  EXPECT_EQ(r["D2043"].target.size(), 3u + 2u * 2044);
  EXPECT_EQ(r.count("D2044"), 0u);
}

}  // namespace
}  // namespace qv::msi
