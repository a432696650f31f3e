#include "services/registry_functions.h"

#include <gtest/gtest.h>

#include "support/test_machine.h"

namespace qv {
namespace {

test::TestMachineOptions Options() {
  test::TestMachineOptions options;
  options.machineHive =
      "WINE REGISTRY Version 2\n"
      "[Software\\\\Classes\\\\CLSID\\\\{0001}] 0\n@=\"Class One\"\n"
      "[Software\\\\Vendor] 0\n\"Path\"=\"C:\\\\Vendor\"\n\"Exp\"=str(2):\"%TEMP%\"\n"
      "\"Multi\"=str(7):\"a\\0b\\0\"\n\"Count\"=dword:fffffffe\n\"Bin\"=hex:01,02\n"
      "\"Big\"=hex(b):0a,00,00,00,00,00,00,00\n";
  return options;
}

TEST(RegistryFunctionsTest, GetREGStringCountsTheNulAndReportsSmallBuffers) {
  test::ScopedTestMachine machine(Options());
  std::string buffer;
  EXPECT_EQ(GetREGString("HKLM\\Software\\Vendor", "Path", &buffer, 1000), 10);
  EXPECT_EQ(buffer, "C:\\Vendor");
  buffer = "kept";
  EXPECT_EQ(GetREGString("HKLM\\Software\\Vendor", "Path", &buffer, 9), -10);
  EXPECT_EQ(buffer, "kept");
  EXPECT_EQ(GetREGString("HKLM\\Software\\Vendor", "Path", &buffer, 10), 10);
  EXPECT_EQ(GetREGString("HKLM\\Software\\Vendor", "Missing", &buffer, 1000), 0);
  EXPECT_EQ(GetREGString("HKLM\\Software\\Vendor", "Count", &buffer, 1000), 0);
  EXPECT_EQ(GetREGString("\\HKEY_CLASSES_ROOT\\CLSID\\{0001}", "", &buffer, 1000), 10);
  EXPECT_EQ(buffer, "Class One");
  EXPECT_EQ(GetREGString("\\HKCR\\CLSID\\{0001}", "", &buffer, 1000), 10);
  EXPECT_EQ(GetREGString("HKLM\\Software\\Vendor", "Multi", &buffer, 1000), 5);
  EXPECT_EQ(buffer, std::string("a\0b\0", 4));
}

TEST(RegistryFunctionsTest, SettingsRoundTripUnderTheRelativeKey) {
  test::ScopedTestMachine machine;
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "ConvMsiFile", "C:\\a b\\x.msi", 1, 1), 1);
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "Converter_Value0", -5, 4, 4), 1);
  std::string buffer;
  EXPECT_EQ(GetREGString("HKCU\\Software\\Dunar\\Quorvex", "convmsifile", &buffer, 1000), 13);
  EXPECT_EQ(buffer, "C:\\a b\\x.msi");
  int32_t value = 0;
  EXPECT_EQ(GetREGDWord("Dunar\\Quorvex", "Converter_Value0", &value), 4);
  EXPECT_EQ(value, -5);
  EXPECT_EQ(GetREGDWord("Dunar\\Quorvex", "ConvMsiFile", &value), 0);
  EXPECT_EQ(GetREGDWord("Dunar\\Quorvex", "Nothing", &value), 0);
  EXPECT_EQ(SaveREGString("", "EXENAME", "Z:\\bin\\quorvex", 1, 1), 1);
  EXPECT_EQ(GetREGString("", "EXENAME", &buffer, 256), 15);
  EXPECT_EQ(GetREGString("HKCU\\Software", "EXENAME", &buffer, 256), 15);
}

TEST(RegistryFunctionsTest, GetREGDataGivesTypesAndDecimalNumbers) {
  test::ScopedTestMachine machine(Options());
  struct Case {
    const char* name;
    int32_t result;
    std::string data;
    int32_t type;
  };
  const Case cases[] = {
      {"Path", 10, "C:\\Vendor", 1}, {"Exp", 7, "%TEMP%", 2},
      {"Count", 3, "-2", 4},         {"Bin", 3, "\x01\x02", 3},
      {"Big", 3, "10", 11},          {"Multi", 5, std::string("a\0b\0", 4), 7},
  };
  for (const Case& c : cases) {
    std::string buffer;
    int32_t type = 0;
    EXPECT_EQ(GetREGData("HKLM\\Software\\Vendor", c.name, &buffer, 100, &type), c.result)
        << c.name;
    EXPECT_EQ(buffer, c.data) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
  }
  std::string buffer;
  int32_t type = 0;
  EXPECT_EQ(GetREGData("HKLM\\Software\\Vendor", "Path", &buffer, 5, &type), -10);
  EXPECT_EQ(GetREGData("HKLM\\Software\\Vendor", "None", &buffer, 100, &type), 0);
}

TEST(RegistryFunctionsTest, DelREGValueHidesMachineValues) {
  test::ScopedTestMachine machine(Options());
  EXPECT_EQ(DelREGValue("HKLM\\Software\\Vendor", "path"), 1);
  std::string buffer;
  EXPECT_EQ(GetREGString("HKLM\\Software\\Vendor", "Path", &buffer, 100), 0);
  EXPECT_EQ(DelREGValue("HKLM\\Software\\Vendor", "Path"), 0);
  EXPECT_EQ(SaveREGString("HKLM\\Software\\Vendor", "Path", "D:\\", 1, 1), 1);
  EXPECT_EQ(GetREGString("HKLM\\Software\\Vendor", "Path", &buffer, 100), 4);
}

TEST(RegistryFunctionsTest, SaveREGStringRejectsTypesItCannotStore) {
  test::ScopedTestMachine machine;
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "n", "12x", 4, 4), 0);
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "n", "x", 99, 1), 0);
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "n", 5, 3, 4), 0);
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "n", "123", 4, 4), 1);
  int32_t value = 0;
  EXPECT_EQ(GetREGDWord("Dunar\\Quorvex", "n", &value), 4);
  EXPECT_EQ(value, 123);
}

TEST(RegistryFunctionsTest, SetDUNARDirGivesAFolderOnDriveC) {
  std::string buffer;
  EXPECT_EQ(SetDUNARDir(&buffer, 256), 20);
  EXPECT_EQ(buffer, "C:\\ProgramData\\Dunar");
  EXPECT_EQ(SetDUNARDir(&buffer, 3), 2);
  EXPECT_EQ(buffer, "C:");
}

}  // namespace
}  // namespace qv
