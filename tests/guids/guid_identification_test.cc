#include "guids/guid_identification.h"

#include <gtest/gtest.h>

#include "guids/guid_machine.h"
#include "platform/base/pending_error.h"

namespace qv {
namespace {

using namespace test::guid;

const std::string kInstalledLine = "\rName Installed App (display) - Version 2.5.1";
const std::string kAdvertisedLine = "\rComponent  Name Advertised App Version 33554432";
const std::string kAbsentLine =
    "\rProduct with GUID " + kAbsent + " which is not installed or advertised";
const std::string kComponentHeader = "Component - GUID\r Installed by the Following Products";
const std::string kRegistry = "Defined on PC as\r\"Registry HKEY_CLASSES_ROOT\\CLSID\\";

using GuidIdentificationTest = test::GuidMachineTest;

TEST_F(GuidIdentificationTest, DescribesProductsComponentsFeaturesAndComClasses) {
  const std::pair<std::string, std::string> cases[] = {
      {kInstalled, "Installed Product - Name Installed App\r Version 2.5.1"},
      {"{1a000000-0000-0000-0000-000000000001}",
       "Installed Product - Name Installed App\r Version 2.5.1"},
      // The installer has no attribute "ProductVersion": its version is empty.
      {kAdvertised, "Advertised Product - Name Advertised App\r Version "},
      {kAbsent, ""},  // a client some component names, never registered
      {"not a guid", ""},
      // A component lists every client in order.
      {kComponent, kComponentHeader + kInstalledLine + "\rComponent Name MainExe" +
                       kAdvertisedLine + kAbsentLine},
      {kLoneComponent, kComponentHeader + kAbsentLine},
      {kFeature,
       "\rProduct Name Installed App Version  Feature \rProduct Name Advertised App Version "
       " Feature "},
      {kFullClass, kRegistry + kFullClass + "\r\".Default\" = Full Class" +
                       "\r\"ProgID\"  = Full.Class.1\r\"InprocServer32\"  = C:\\Windows\\full.dll"
                       "\r\"InprocServer\"  = C:\\Windows\\full16.dll"
                       "\r\"LocalServer32\"  = C:\\Windows\\full.exe"
                       "\r\"LocalServer\"  = C:\\Windows\\full16.exe\r\"Version\"  = 1.0"},
      // A subkey without a default value is left out; a number shows in decimal.
      {kSparseClass, kRegistry + kSparseClass + "\r\".Default\" = " +
                         "\r\"LocalServer32\"  = C:\\Windows\\sparse.exe\r\"Version\"  = 2"},
      {kUserClass,
       kRegistry + kUserClass + "\r\".Default\" = User Class" + "\r\"ProgID\"  = User.Class.1"},
      // Without a text default value a class is not shown, whatever its subkeys.
      {kNoDefaultClass, ""},
      {kNumberDefaultClass, ""},
  };
  for (const auto& [guid, description] : cases) {
    std::string text = "left over";
    IdentifyGUID(guid, &text);
    EXPECT_EQ(text, description) << guid;
    // Every identification puts the pointer back and leaves nothing open or pending.
    EXPECT_EQ(m_ui->busyDepth, 0) << guid;
    EXPECT_FALSE(OpenDb().oDatabase) << guid;
    EXPECT_FALSE(ErrorPending()) << guid;
  }
  EXPECT_EQ(m_ui->busyMaxDepth, 1);
  EXPECT_TRUE(m_ui->messages.empty());
}

}  // namespace
}  // namespace qv
