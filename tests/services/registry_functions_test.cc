#include "services/registry_functions.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "support/test_machine.h"

namespace qv {
namespace {

using Result = std::pair<int32_t, std::string>;
using Data = std::tuple<int32_t, std::string, int32_t>;

const char kHive[] =
    "WINE REGISTRY Version 2\n"
    "[Software\\\\Classes\\\\CLSID\\\\{0001}] 0\n@=\"Class One\"\n"
    "[Software\\\\Vendor] 0\n\"Path\"=\"C:\\\\Vendor\"\n\"Exp\"=str(2):\"%TEMP%\"\n"
    "\"Multi\"=str(7):\"a\\0b\\0\"\n\"Count\"=dword:fffffffe\n\"Bin\"=hex:01,02\n"
    "\"Big\"=hex(b):0a,00,00,00,00,00,00,00\n";

class RegistryFunctionsTest : public ::testing::Test {
 protected:
  // GetREGString's count and text; the buffer holds "kept" before the call.
  static Result Get(const std::string& key, const std::string& name, int32_t size = 1000) {
    std::string buffer = "kept";
    const int32_t count = GetREGString(key, name, &buffer, size);
    return {count, buffer};
  }
  // GetREGData's count, data and type for a value of HKLM\Software\Vendor.
  static Data GetData(const std::string& name, int32_t size = 100) {
    std::string buffer;
    int32_t type = 0;
    const int32_t count = GetREGData("HKLM\\Software\\Vendor", name, &buffer, size, &type);
    return {count, buffer, type};
  }
  test::ScopedTestMachine m_machine{{.machineHive = kHive}};
};

TEST_F(RegistryFunctionsTest, GetREGStringCountsTheNulAndReportsSmallBuffers) {
  EXPECT_EQ(Get("HKLM\\Software\\Vendor", "Path"), Result(10, "C:\\Vendor"));
  EXPECT_EQ(Get("HKLM\\Software\\Vendor", "Path", 9), Result(-10, "kept"));
  EXPECT_EQ(Get("HKLM\\Software\\Vendor", "Path", 10), Result(10, "C:\\Vendor"));
  EXPECT_EQ(Get("HKLM\\Software\\Vendor", "Missing").first, 0);
  EXPECT_EQ(Get("HKLM\\Software\\Vendor", "Count").first, 0);
  EXPECT_EQ(Get("\\HKEY_CLASSES_ROOT\\CLSID\\{0001}", ""), Result(10, "Class One"));
  EXPECT_EQ(Get("\\HKCR\\CLSID\\{0001}", ""), Result(10, "Class One"));
  EXPECT_EQ(Get("HKLM\\Software\\Vendor", "Multi"), Result(5, std::string("a\0b\0", 4)));
}

TEST_F(RegistryFunctionsTest, GetREGDataGivesTypesAndDecimalNumbers) {
  EXPECT_EQ(GetData("Path"), Data(10, "C:\\Vendor", 1));
  EXPECT_EQ(GetData("Exp"), Data(7, "%TEMP%", 2));
  EXPECT_EQ(GetData("Count"), Data(3, "-2", 4));
  EXPECT_EQ(GetData("Bin"), Data(3, "\x01\x02", 3));
  EXPECT_EQ(GetData("Big"), Data(3, "10", 11));
  EXPECT_EQ(GetData("Multi"), Data(5, std::string("a\0b\0", 4), 7));
  EXPECT_EQ(std::get<0>(GetData("Path", 5)), -10);
  EXPECT_EQ(std::get<0>(GetData("None")), 0);
}

TEST_F(RegistryFunctionsTest, SettingsRoundTripUnderTheRelativeKey) {
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "ConvMsiFile", "C:\\a b\\x.msi", 1, 1), 1);
  EXPECT_EQ(Get("HKCU\\Software\\Dunar\\Quorvex", "convmsifile"), Result(13, "C:\\a b\\x.msi"));
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "Converter_Value0", -5, 4, 4), 1);
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "n", "123", 4, 4), 1);
  int32_t value = 0;
  EXPECT_EQ(GetREGDWord("Dunar\\Quorvex", "Converter_Value0", &value), 4);
  EXPECT_EQ(value, -5);
  EXPECT_EQ(GetREGDWord("Dunar\\Quorvex", "n", &value), 4);
  EXPECT_EQ(value, 123);
  EXPECT_EQ(GetREGDWord("Dunar\\Quorvex", "ConvMsiFile", &value), 0);
  EXPECT_EQ(GetREGDWord("Dunar\\Quorvex", "Nothing", &value), 0);
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "n", "12x", 4, 4), 0);  // types it cannot store
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "n", "x", 99, 1), 0);
  EXPECT_EQ(SaveREGString("Dunar\\Quorvex", "n", 5, 3, 4), 0);
  EXPECT_EQ(SaveREGString("", "EXENAME", "Z:\\bin\\quorvex", 1, 1), 1);
  EXPECT_EQ(Get("", "EXENAME").first, 15);
  EXPECT_EQ(Get("HKCU\\Software", "EXENAME").first, 15);
}

TEST_F(RegistryFunctionsTest, DelREGValueHidesMachineValuesUntilSavedAgain) {
  EXPECT_EQ(DelREGValue("HKLM\\Software\\Vendor", "path"), 1);
  EXPECT_EQ(Get("HKLM\\Software\\Vendor", "Path").first, 0);
  EXPECT_EQ(DelREGValue("HKLM\\Software\\Vendor", "Path"), 0);
  EXPECT_EQ(SaveREGString("HKLM\\Software\\Vendor", "Path", "D:\\", 1, 1), 1);
  EXPECT_EQ(Get("HKLM\\Software\\Vendor", "Path"), Result(4, "D:\\"));
}

TEST(SetDUNARDirTest, GivesAFolderOnDriveC) {
  std::string buffer;
  EXPECT_EQ(SetDUNARDir(&buffer, 256), 20);
  EXPECT_EQ(buffer, "C:\\ProgramData\\Dunar");
  EXPECT_EQ(SetDUNARDir(&buffer, 3), 2);
  EXPECT_EQ(buffer, "C:");
}

}  // namespace
}  // namespace qv
