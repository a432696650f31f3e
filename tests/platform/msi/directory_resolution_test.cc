#include "platform/msi/directory_resolution.h"

#include <gtest/gtest.h>

#include <map>

namespace qv::msi {
namespace {

TEST(DefaultDirTest, SplitsTargetAndSourceNames) {
  // Expected: target short|target long|source short|source long.
  const std::pair<const char*, const char*> cases[] = {
      {"App", "App|App|App|App"},
      {"APP~1|My App", "APP~1|My App|APP~1|My App"},
      {"Tgt:Src", "Tgt|Tgt|Src|Src"},
      {"TGT~1|Target Dir:SRC~1|Source Dir", "TGT~1|Target Dir|SRC~1|Source Dir"},
      {".:Src", ".|.|Src|Src"},
      {"SourceDir", "SourceDir|SourceDir|SourceDir|SourceDir"},
  };
  for (const auto& [defaultDir, expected] : cases) {
    const DefaultDirNames n = SplitDefaultDir(defaultDir);
    EXPECT_EQ(n.targetShort + "|" + n.targetLong + "|" + n.sourceShort + "|" + n.sourceLong,
              expected);
  }
}

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
  std::map<std::string, std::string> properties = {{"ROOTDRIVE", "C:\\"},
                                                   {"SourceDir", "Z:\\pkgs\\"}};
};

TEST_F(ResolutionTest, FollowsParentsNamesAndProperties) {
  properties["ProgramFilesFolder"] = "C:\\Program Files (x86)";
  const std::vector<DirectoryRow> rows = {
      {"TARGETDIR", "", "SourceDir"},
      {"ProgramFilesFolder", "TARGETDIR", "PFiles"},
      {"Vendor", "ProgramFilesFolder", "VENDOR~1|Big Vendor:VSRC~1|Vendor Source"},
      {"INSTALLDIR", "Vendor", "."},
      {"Bin", "INSTALLDIR", "bin"},
      {"Data", "TARGETDIR", "Data:."},
  };
  auto r = Resolve(rows);
  ASSERT_EQ(r.size(), rows.size());
  EXPECT_EQ(r["TARGETDIR"].target, "C:\\");
  EXPECT_EQ(r["TARGETDIR"].source, "Z:\\pkgs\\");
  EXPECT_EQ(r["ProgramFilesFolder"].target, "C:\\Program Files (x86)\\");
  EXPECT_EQ(r["ProgramFilesFolder"].source, "Z:\\pkgs\\PFiles\\");
  EXPECT_EQ(r["Vendor"].target, "C:\\Program Files (x86)\\Big Vendor\\");
  EXPECT_EQ(r["Vendor"].source, "Z:\\pkgs\\PFiles\\Vendor Source\\");
  EXPECT_EQ(r["INSTALLDIR"].target, "C:\\Program Files (x86)\\Big Vendor\\");
  EXPECT_EQ(r["Bin"].target, "C:\\Program Files (x86)\\Big Vendor\\bin\\");
  EXPECT_EQ(r["Data"].target, "C:\\Data\\");
  EXPECT_EQ(r["Data"].source, "Z:\\pkgs\\");

  // Short source names come from the short halves.
  auto s = Resolve(rows, true);
  EXPECT_EQ(s["Vendor"].source, "Z:\\pkgs\\PFiles\\VSRC~1\\");
  EXPECT_EQ(s["Vendor"].target, "C:\\Program Files (x86)\\Big Vendor\\");
}

TEST_F(ResolutionTest, TargetDirPropertyAndSelfParentedRoots) {
  properties["TARGETDIR"] = "D:\\Apps";
  properties["INSTALLDIR"] = "E:\\Chosen\\";
  auto r = Resolve({{"TARGETDIR", "", "SourceDir"},
                    {"Other", "Other", "Root2"},
                    {"INSTALLDIR", "TARGETDIR", "App"},
                    {"Sub", "INSTALLDIR", "Sub"}});
  EXPECT_EQ(r["TARGETDIR"].target, "D:\\Apps\\");
  EXPECT_EQ(r["Other"].target, "C:\\");
  EXPECT_EQ(r["Other"].source, "Z:\\pkgs\\");
  EXPECT_EQ(r["INSTALLDIR"].target, "E:\\Chosen\\");
  EXPECT_EQ(r["INSTALLDIR"].source, "Z:\\pkgs\\App\\");
  EXPECT_EQ(r["Sub"].target, "E:\\Chosen\\Sub\\");
}

TEST_F(ResolutionTest, CyclesAndMissingParentsAreLeftOut) {
  auto r = Resolve({{"TARGETDIR", "", "SourceDir"},
                    {"A", "B", "a"},
                    {"B", "A", "b"},
                    {"C", "A", "c"},
                    {"Orphan", "Nowhere", "o"},
                    {"Fine", "TARGETDIR", "f"}});
  EXPECT_EQ(r.size(), 2u);
  EXPECT_EQ(r.count("A") + r.count("B") + r.count("C") + r.count("Orphan"), 0u);
  EXPECT_EQ(r["Fine"].target, "C:\\f\\");
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
