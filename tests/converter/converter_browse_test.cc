// The record tab's "Browse": the file selection window opens over the converter and the file
// chosen there lands in the installer-file box and its history.

#include <filesystem>
#include <string>

#include <QComboBox>
#include <QPushButton>

#include "app/settings.h"
#include "converter_fixture.h"
#include "listview/report_list.h"
#include "platform/msi/engine_installer.h"
#include "selection/msidir_frm.h"
#include "support/fixture_packages.h"

namespace qv::test {
namespace {

class BrowseTest : public ConverterTest {
 protected:
  BrowseTest() { Program().InstallerObject = msi::MakeEngineInstaller(); }

  // The selection window the converter opened; null when none is open.
  MsiDir_Frm* Selection() const {
    for (MsiDir_Frm* frm : m_frm->findChildren<MsiDir_Frm*>()) {
      if (frm->isVisible()) return frm;
    }
    return nullptr;
  }

  TempDir m_dir;
};

TEST_F(BrowseTest, TheChosenPackageGoesIntoTheBoxAndItsHistory) {
  QV_FIXTURE_OR_SKIP(built, m_dir, "basic");
  const std::string folder = m_machine.DriveC() + "/Packages";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(built, folder + "/app.msi");

  m_frm->Cm_BMsiFile->click();
  MsiDir_Frm* selection = Selection();
  ASSERT_NE(selection, nullptr);
  m_frm->Cm_BMsiFile->click();  // a selection is under way: no second window
  EXPECT_EQ(m_frm->findChildren<MsiDir_Frm*>().size(), 1u);

  selection->folderDialog = [&folder](QWidget*, const FolderRequest&) { return folder; };
  selection->Cm_GetDir->click();
  selection->FinishListing();
  ASSERT_EQ(selection->Lv_MSIFiles->RowCount(), 1);
  selection->Lv_MSIFiles->setCurrentIndex(selection->Lv_MSIFiles->model()->index(0, 0));
  selection->Lv_MSIFiles_ItemClick();
  selection->M_Select->trigger();
  QApplication::processEvents();

  EXPECT_EQ(Selection(), nullptr);
  EXPECT_EQ(m_frm->Cb_ConvMsiFiles->currentText().toStdString(), "C:\\Packages\\App.Msi");
  EXPECT_EQ(GetSettingStr("Converter0"), "C:\\Packages\\App.Msi");
  EXPECT_TRUE(m_ui->messages.empty());
}

}  // namespace
}  // namespace qv::test
