#include "platform/msi/directory_resolution.h"

#include <gtest/gtest.h>

#include <map>

namespace qv::msi {
namespace {

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

TEST_F(ResolutionTest, SplitsNamesFollowsParentsAndPropertiesLeavesCyclesOutBoundsDeepChains) {
  // DefaultDir values split into target short|target long|source short|source long.
  const std::pair<const char*, const char*> defaultDirs[] = {
      {"App", "App|App|App|App"},
      {"APP~1|My App", "APP~1|My App|APP~1|My App"},
      {"TGT~1|Target Dir:SRC~1|Source Dir", "TGT~1|Target Dir|SRC~1|Source Dir"},
  };
  for (const auto& [defaultDir, expected] : defaultDirs) {
    const DefaultDirNames n = SplitDefaultDir(defaultDir);
    EXPECT_EQ(n.targetShort + "|" + n.targetLong + "|" + n.sourceShort + "|" + n.sourceLong,
              expected);
  }
  properties["ProgramFilesFolder"] = "C:\\Program Files (x86)";
  const std::vector<DirectoryRow> rows = {
      {"TARGETDIR", "", "SourceDir"},
      {"ProgramFilesFolder", "TARGETDIR", "PFiles"},
      {"Vendor", "ProgramFilesFolder", "VENDOR~1|Big Vendor:VSRC~1|Vendor Source"},
      {"INSTALLDIR", "Vendor", "."},
      {"Bin", "INSTALLDIR", "bin"},
      {"Data", "TARGETDIR", "Data:."},
  };
  const std::string vendor = "C:\\Program Files (x86)\\Big Vendor\\ <- Z:\\pkgs\\PFiles\\";
  EXPECT_EQ(
      Resolved(rows),
      (PathMap{
          {"TARGETDIR", "C:\\ <- Z:\\pkgs\\"},
          {"ProgramFilesFolder", "C:\\Program Files (x86)\\ <- Z:\\pkgs\\PFiles\\"},
          {"Vendor", vendor + "Vendor Source\\"},
          {"INSTALLDIR", vendor + "Vendor Source\\"},
          {"Bin",
           "C:\\Program Files (x86)\\Big Vendor\\bin\\ <- Z:\\pkgs\\PFiles\\Vendor Source\\bin\\"},
          {"Data", "C:\\Data\\ <- Z:\\pkgs\\"}}));
  // Short source names come from the short halves.
  EXPECT_EQ(Resolved(rows, true)["Vendor"], vendor + "VSRC~1\\");
  // Cycles and missing parents are left out; then the TARGETDIR property and self-parented roots.
  EXPECT_EQ(Resolved({{"TARGETDIR", "", "SourceDir"},
                      {"A", "B", "a"},
                      {"B", "A", "b"},
                      {"C", "A", "c"},
                      {"Orphan", "Nowhere", "o"},
                      {"Fine", "TARGETDIR", "f"}}),
            (PathMap{{"TARGETDIR", "C:\\ <- Z:\\pkgs\\"}, {"Fine", "C:\\f\\ <- Z:\\pkgs\\f\\"}}));
  properties["TARGETDIR"] = "D:\\Apps";
  properties["INSTALLDIR"] = "E:\\Chosen\\";
  EXPECT_EQ(Resolved({{"TARGETDIR", "", "SourceDir"},
                      {"Other", "Other", "Root2"},
                      {"INSTALLDIR", "TARGETDIR", "App"},
                      {"Sub", "INSTALLDIR", "Sub"}}),
            (PathMap{{"TARGETDIR", "D:\\Apps\\ <- Z:\\pkgs\\"},
                     {"Other", "C:\\ <- Z:\\pkgs\\"},
                     {"INSTALLDIR", "E:\\Chosen\\ <- Z:\\pkgs\\App\\"},
                     {"Sub", "E:\\Chosen\\Sub\\ <- Z:\\pkgs\\App\\Sub\\"}}));
  // Deep chains resolve without recursion, up to a path limit.
  // 200,000 levels would overflow a recursive walk; paths stop growing at 4,096 characters.
  properties.erase("TARGETDIR");
  std::vector<DirectoryRow> chain = {{"TARGETDIR", "", "SourceDir"}};
  for (int i = 0; i < 200000; ++i) {
    chain.push_back(
        {"D" + std::to_string(i), i == 0 ? "TARGETDIR" : "D" + std::to_string(i - 1), "x"});
  }
  auto r = Resolve(chain);
  // The source "Z:\pkgs\" grows by "x\" per level and fits for levels 0..2043.
  ASSERT_EQ(r.size(), 1u + 2044u);
  EXPECT_EQ(r["D2043"].source.size(), 8u + 2u * 2044);
  EXPECT_EQ(r["D2043"].target.size(), 3u + 2u * 2044);
}

}  // namespace
}  // namespace qv::msi
