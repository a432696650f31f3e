#include "platform/registry/key_path.h"

#include <gtest/gtest.h>

namespace qv::registry {
namespace {

struct KeyPathCase {
  const char* text;
  Root root;
  const char* path;
};

TEST(KeyPathTest, SplitsRootsAndRelativePaths) {
  const KeyPathCase cases[] = {
      {"HKLM\\Software\\Microsoft", Root::kLocalMachine, "Software\\Microsoft"},
      {"hklm\\Software\\", Root::kLocalMachine, "Software"},
      {"HKEY_LOCAL_MACHINE\\A", Root::kLocalMachine, "A"},
      {"\\HKCR\\CLSID\\{X}", Root::kClassesRoot, "CLSID\\{X}"},
      {"\\HKEY_CLASSES_ROOT\\Installer\\Products", Root::kClassesRoot, "Installer\\Products"},
      {"HKCU", Root::kCurrentUser, ""},
      {"HKEY_CURRENT_USER\\\\Software\\\\x", Root::kCurrentUser, "Software\\x"},
      {"HKU\\S-1-5-18", Root::kUsers, "S-1-5-18"},
      {"HKEY_USERS", Root::kUsers, ""},
      {"Dunar\\Quorvex", Root::kCurrentUser, "Software\\Dunar\\Quorvex"},
      {"Dunar\\Quorvex\\Display\\", Root::kCurrentUser, "Software\\Dunar\\Quorvex\\Display"},
      {"", Root::kCurrentUser, "Software"},
      {"HKLMX\\a", Root::kCurrentUser, "Software\\HKLMX\\a"},
  };
  for (const KeyPathCase& c : cases) {
    KeyPath kp = ParseKeyPath(c.text);
    EXPECT_EQ(kp.root, c.root) << c.text;
    EXPECT_EQ(kp.path, c.path) << c.text;
  }
}

}  // namespace
}  // namespace qv::registry
