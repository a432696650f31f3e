#include "platform/registry/hive_views.h"

#include <gtest/gtest.h>

#include "support/test_machine.h"

namespace qv::registry {
namespace {

using test::HiveOf;

TEST(HiveViewsTest, UpperLayersWinKeysAddUpAndMountsShowWhereTheyAre) {
  StackedHive stack({HiveOf("[K] 0\n\"a\"=\"top\"\n\"gone\"=-\n[K\\\\Top] 0\n"),
                     HiveOf("[K] 0\n\"b\"=\"low\"\n\"a\"=\"low\"\n\"gone\"=\"low\"\n"
                            "[K\\\\Low] 0\n[Other] 0\n")});
  Value v;
  ASSERT_TRUE(stack.ReadValue("k", "A", &v));
  EXPECT_EQ(v, Value::Text("top"));
  ASSERT_TRUE(stack.ReadValue("K", "b", &v));
  EXPECT_EQ(v, Value::Text("low"));
  ASSERT_TRUE(stack.ReadValue("K", "gone", &v));  // the top's tombstone hides the value below
  EXPECT_TRUE(v.tombstone);
  EXPECT_EQ(stack.Values("K"), (std::vector<NamedValue>{{"a", Value::Text("top")},
                                                        {"gone", Value::Tombstone()},
                                                        {"b", Value::Text("low")}}));
  EXPECT_EQ(stack.SubkeyNames("K"), (std::vector<std::string>{"Low", "Top"}));
  EXPECT_EQ(stack.SubkeyNames(""), (std::vector<std::string>{"K", "Other"}));
  EXPECT_TRUE(stack.KeyExists("other"));
  EXPECT_FALSE(stack.KeyExists("K\\None"));

  // A mounted key shows where it is mounted.
  MountedHive classes(
      HiveOf("[HKEY_CLASSES_ROOT\\\\CLSID\\\\{X}] 0\n@=\"x\"\n[HKEY_CURRENT_USER\\\\K] 0\n"),
      "HKEY_CLASSES_ROOT", "Software\\Classes");
  ASSERT_TRUE(classes.ReadValue("software\\classes\\clsid\\{x}", "", &v));
  EXPECT_EQ(v, Value::Text("x"));
  EXPECT_EQ(classes.SubkeyNames("Software\\Classes"), std::vector<std::string>{"CLSID"});
  // The keys on the way to the mount point exist, and lead to it.
  EXPECT_TRUE(classes.KeyExists("Software"));
  EXPECT_EQ(classes.SubkeyNames(""), std::vector<std::string>{"Software"});
  // Nothing else is there, not even the rest of the source.
  EXPECT_FALSE(classes.KeyExists("HKEY_CURRENT_USER"));
  EXPECT_FALSE(classes.ReadValue("Software\\Classes\\CLSID", "", &v));
  // A mount of a key the source lacks shows nothing at all.
  MountedHive absent(HiveOf("[Other] 0\n"), "HKEY_CLASSES_ROOT", "Software\\Classes");
  EXPECT_FALSE(absent.KeyExists("Software"));
  EXPECT_EQ(absent.SubkeyNames(""), std::vector<std::string>{});
}

}  // namespace
}  // namespace qv::registry
