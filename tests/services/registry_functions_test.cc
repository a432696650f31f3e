#include "services/registry_functions.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/test_machine.h"

namespace qv {
namespace {

using Data = std::tuple<int32_t, std::string, int32_t>;

const char kHive[] =
    "WINE REGISTRY Version 2\n"
    "[Software\\\\Vendor] 0\n\"Path\"=\"C:\\\\Vendor\"\n\"Exp\"=str(2):\"%TEMP%\"\n"
    "\"Count\"=dword:fffffffe\n\"Bin\"=hex:01,02\n"
    "\"Big\"=hex(b):0a,00,00,00,00,00,00,00\n";

class RegistryFunctionsTest : public ::testing::Test {
 protected:
  // GetREGData's count, data and type for a value of HKLM\Software\Vendor.
  static Data GetData(const std::string& name, int32_t size = 100) {
    std::string buffer;
    int32_t type = 0;
    const int32_t count = GetREGData("HKLM\\Software\\Vendor", name, &buffer, size, &type);
    return {count, buffer, type};
  }
  test::ScopedTestMachine m_machine{{.machineHive = kHive}};
};

TEST_F(RegistryFunctionsTest, GetREGDataGivesTypesAndDecimalNumbers) {
  EXPECT_EQ(GetData("Path"), Data(10, "C:\\Vendor", 1));
  EXPECT_EQ(GetData("Exp"), Data(7, "%TEMP%", 2));
  EXPECT_EQ(GetData("Count"), Data(3, "-2", 4));
  EXPECT_EQ(GetData("Bin"), Data(3, "\x01\x02", 3));
  EXPECT_EQ(GetData("Big"), Data(3, "10", 11));
  EXPECT_EQ(std::get<0>(GetData("Path", 5)), -10);
  EXPECT_EQ(std::get<0>(GetData("None")), 0);
}

TEST_F(RegistryFunctionsTest, SavedValuesReadBackAndUnstorableOnesAreRefused) {
  const std::string key = "HKCU\\Software\\Dunar\\Quorvex";
  EXPECT_EQ(SaveREGString(key, "ConvMsiFile", "C:\\a b\\x.msi", 1, 1), 1);
  std::string text;
  EXPECT_EQ(GetREGString(key, "ConvMsiFile", &text, 1000), 13);  // with its NUL
  EXPECT_EQ(text, "C:\\a b\\x.msi");
  EXPECT_EQ(SaveREGString(key, "Converter_Value0", -5, 4, 4), 1);
  EXPECT_EQ(SaveREGString(key, "n", "123", 4, 4), 1);
  int32_t value = 0;
  EXPECT_EQ(GetREGDWord(key, "Converter_Value0", &value), 4);
  EXPECT_EQ(value, -5);
  EXPECT_EQ(GetREGDWord(key, "n", &value), 4);
  EXPECT_EQ(value, 123);
  EXPECT_EQ(GetREGDWord(key, "ConvMsiFile", &value), 0);
  EXPECT_EQ(SaveREGString(key, "n", "12x", 4, 4), 0);
  EXPECT_EQ(SaveREGString(key, "n", "x", 99, 1), 0);
  EXPECT_EQ(SaveREGString(key, "n", 5, 3, 4), 0);
  EXPECT_EQ(DelREGValue(key, "n"), 1);
  EXPECT_EQ(DelREGValue(key, "n"), 0);
}

}  // namespace
}  // namespace qv
