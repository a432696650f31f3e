#include "platform/registry/thirty_two_bit_view.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/registry/registry.h"
#include "support/data_rows.h"
#include "support/temp_dir.h"
#include "support/test_machine.h"

namespace qv::registry {
namespace {

TEST(ThirtyTwoBitViewTest, TwinsLiveUnderTheNodeOfSoftwareWhereTheRegistryReadsFolderValues) {
  const std::pair<const char*, const char*> cases[] = {
      {"SOFTWARE\\Vendor", "Software\\Wow6432Node\\Vendor"},
      {"Software", ""},
      {"Software\\Wow6432Node\\Vendor", ""},
  };
  for (const auto& [path, twin] : cases) EXPECT_EQ(ThirtyTwoBitTwin(path), twin) << path;
  // Only the folder values read in the view.
  const std::string cv = "software\\microsoft\\windows\\currentversion";
  EXPECT_TRUE(ReadInThirtyTwoBitView(cv, "PROGRAMFILESDIR"));
  EXPECT_FALSE(ReadInThirtyTwoBitView(cv, "ProgramFilesDir (x86)"));
  EXPECT_FALSE(ReadInThirtyTwoBitView(cv + "\\Explorer", "ProgramFilesDir"));
  // The registry reads folder values in the view where the machine has one.
  test::TempDir dir;
  const auto empty = std::make_shared<const Hive>();
  const std::string key = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion";
  // machine, value, what a read gives
  const std::tuple<const char*, const char*, const char*> reads[] = {
      {"64", "ProgramFilesDir", "C:\\Program Files (x86)"},
      {"64", "DevicePath", "native"},
      // A machine without a 32-bit view (a 32-bit Wine prefix) reads its own values.
      {"32", "ProgramFilesDir", "C:\\Program Files"},
  };
  // A 64-bit machine: the native folders, their 32-bit twins, and a class key in both views.
  const std::string machine64Text = test::DataFile("registry/machine64.reg");
  const std::string native32 =
      machine64Text.substr(0, machine64Text.find("[Software\\\\Wow6432Node"));
  Registry machine64(dir.Sub("s64"), test::HiveOf(machine64Text), empty, "S-1-5-21-7");
  Registry machine32(dir.Sub("s32"), test::HiveOf(native32), empty, "S-1-5-21-7");
  for (const auto& [bits, name, expected] : reads) {
    Registry& r = std::string(bits) == "64" ? machine64 : machine32;
    Value v;
    ASSERT_TRUE(r.GetValue(key, name, &v).ok()) << bits << " " << name;
    EXPECT_EQ(v.data, expected) << bits << " " << name;
  }
  // Classes stay in the native view.
  Value v;
  ASSERT_TRUE(machine64.GetValue("HKCR\\CLSID\\{A}", "", &v).ok());
  EXPECT_EQ(v.data, "native class");
}

}  // namespace
}  // namespace qv::registry
