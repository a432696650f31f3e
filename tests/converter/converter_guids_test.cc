// The "GUIDs" tab on a machine with registered products, components and COM classes: what
// the fields and the "GUID is" label show as the user types and moves on.

#include <QLabel>

#include "app/settings.h"
#include "converter_fixture.h"
#include "guids/guid_machine.h"
#include "platform/msi/automation.h"

namespace qv::test {
namespace {

using namespace guid;

class GuidTabTest : public ConverterTest {
 protected:
  GuidTabTest() : ConverterTest(0) {}
  void SetUp() override {
    if (!MsiToolsAvailable()) GTEST_SKIP() << "msitools missing";
    m_guidMachine = MakeTestMachine(m_home.DataHome(), m_home.ConfigHome(),
                                    {.machineHive = GuidMachineHive(), .userHive = GuidUserHive()});
    SetCurrentMachine(m_guidMachine);
    ASSERT_TRUE(LayCachedPackage(m_home.dir(), m_guidMachine->drives.at('C')));
    Program().InstallerObject = msi::CreateInstallerObject();
    ConverterTest::SetUp();
  }
  std::string GuidIs() const { return m_frm->L_GUIDDetails->text().toStdString(); }

  IsolatedHome m_home;
  std::shared_ptr<Machine> m_guidMachine;
};

const std::string kInstalledText = "Installed Product - Name Installed App\n Version 2.5.1";

// The descriptions themselves are the identification's; here each field shows its part.
TEST_F(GuidTabTest, AStandardGuidShowsItsPackedFormAndWhatItIs) {
  Enter("T_OrigValue_0", QString::fromStdString(kInstalled));
  EXPECT_EQ(Text("T_ConvVal_0"), PackedForTest(kInstalled));
  EXPECT_EQ(GuidIs(), kInstalledText);
  // The hourglass showed while the GUID was looked for, and went.
  EXPECT_EQ(m_ui->busyMaxDepth, 1);
  EXPECT_EQ(m_ui->busyDepth, 0);
  Enter("T_OrigValue_0", QString::fromStdString(kUnknown));
  EXPECT_EQ(GuidIs(), "");
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(GuidTabTest, APackedGuidRoundTrips) {
  const std::string packed = PackedForTest(kInstalled);
  Enter("T_ConvVal_0", QString::fromStdString(packed));
  EXPECT_EQ(Text("T_OrigValue_0"), kInstalled);
  EXPECT_EQ(GuidIs(), kInstalledText);
  Enter("T_ConvVal_0", "");
  Enter("T_OrigValue_0", QString::fromStdString(kInstalled));
  EXPECT_EQ(Text("T_ConvVal_0"), packed);
}

TEST_F(GuidTabTest, WhatCannotBeConvertedLeavesTheOtherFieldEmpty) {
  Enter("T_OrigValue_0", QString::fromStdString(kInstalled));
  Enter("T_OrigValue_0", "not a guid");
  EXPECT_EQ(Text("T_ConvVal_0"), "");
  EXPECT_EQ(GuidIs(), "");
  Enter("T_ConvVal_0", "12345");
  EXPECT_EQ(Text("T_OrigValue_0"), "");
  EXPECT_TRUE(m_ui->messages.empty());
}

TEST_F(GuidTabTest, ClearingAFieldClearsTheOtherAndKeepsTheDescription) {
  Enter("T_OrigValue_0", QString::fromStdString(kInstalled));
  Enter("T_OrigValue_0", "");
  EXPECT_EQ(Text("T_ConvVal_0"), "");
  EXPECT_EQ(GuidIs(), kInstalledText);

  Enter("T_OrigValue_0", QString::fromStdString(kAdvertised));
  Enter("T_ConvVal_0", "");
  EXPECT_EQ(Text("T_OrigValue_0"), "");
  EXPECT_EQ(GuidIs(), "Advertised Product - Name Advertised App\n Version ");
}

TEST_F(GuidTabTest, OpeningConvertsAndIdentifiesTheSavedGuid) {
  m_frm.reset();
  SaveSettingStr("Converter_CompGUID", kInstalled);
  Open();
  EXPECT_EQ(Text("T_OrigValue_0"), kInstalled);
  EXPECT_EQ(Text("T_ConvVal_0"), PackedForTest(kInstalled));
  EXPECT_EQ(GuidIs(), kInstalledText);
  // Typing another GUID does not change the one saved when the window closes.
  Enter("T_OrigValue_0", QString::fromStdString(kAdvertised));
  CloseByReturn();
  EXPECT_EQ(GetSettingStr("Converter_CompGUID"), kInstalled);
}

}  // namespace
}  // namespace qv::test
