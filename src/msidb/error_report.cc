#include "msidb/error_report.h"

#include "platform/base/pending_error.h"
#include "platform/ui/ui.h"
#include "services/number_text.h"
#include "state/program_state.h"

namespace qv {

void CheckErrorTrans(const std::string& moduleName, int32_t location) {
  if (!ErrorPending()) return;
  const std::string text = "CheckErrorTrans " + moduleName + " - Line no " + NumberText(location) +
                           "\r\r" + DatabaseErrorContext() + "\r\r" +
                           "Press \"YES\" to Exit Quorvex \"NO\" to Continue";
  if (ui::ShowMessage(text, "Msi Access Error", ui::Buttons::kYesNoCancel) == ui::Answer::kYes) {
    ui::EndProgram(1);
  }
  ClearPendingError();
}

bool CheckInstallerError(bool show, int32_t location) {
  if (!ErrorPending()) return false;
  if (show) CheckErrorTrans("QuorvexDB_Bas", location);
  ClearPendingError();
  return true;
}

std::string DatabaseErrorContext() {
  std::string text;
  if (ErrorPending()) {
    const PendingErrorInfo& e = PendingError();
    text = e.source + "  Err Number=" + NumberText(e.number) + " Hex " + HexText(e.number) + ": " +
           e.description;
  }
  text += "\rMsiFile :=" + OpenDb().szCurrentMsi + " OpenType :=" + DatabaseStateText();
  if (const std::shared_ptr<msi::Installer>& installer = Program().InstallerObject) {
    if (std::shared_ptr<msi::Record> record = installer->LastErrorRecord()) {
      text += "\r\n" + record->FormatText();
    }
  }
  return text;
}

std::string DatabaseStateText() {
  const OpenDatabaseState& db = OpenDb();
  std::string text;
  if (!db.oDatabase) {
    text = "Not Opened";
  } else if (db.oDatabase->DatabaseState() == 1) {
    text = "Opened for Writing";
  } else {
    text = "Opened for Reading";
  }
  if (db.oSession) text += " - Session generated";
  return text;
}

}  // namespace qv
