#include "platform/registry/key_path.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qv::registry {
namespace {

TEST(KeyPathTest, SplitsRootsAndRelativePaths) {
  const std::tuple<const char*, Root, const char*> cases[] = {
      {"hklm\\Software\\", Root::kLocalMachine, "Software"},
      {"\\HKCR\\CLSID\\{X}", Root::kClassesRoot, "CLSID\\{X}"},
      {"HKCU", Root::kCurrentUser, ""},
      {"HKEY_CURRENT_USER\\\\Software\\\\x", Root::kCurrentUser, "Software\\x"},
      {"Dunar\\Quorvex", Root::kCurrentUser, "Software\\Dunar\\Quorvex"},
      {"", Root::kCurrentUser, "Software"},
      {"HKLMX\\a", Root::kCurrentUser, "Software\\HKLMX\\a"},
  };
  for (const auto& [text, root, path] : cases) {
    KeyPath kp = ParseKeyPath(text);
    EXPECT_EQ(kp.root, root) << text;
    EXPECT_EQ(kp.path, path) << text;
  }
}

}  // namespace
}  // namespace qv::registry
