#include "cli/cli_ui.h"

namespace qv::cli {

ui::Answer CliUi::ShowMessage(const std::string& text, const std::string& title,
                              ui::Buttons buttons) {
  if (title == "Msi Access Error") m_installerError = true;
  return ConsoleUi::ShowMessage(text, title, buttons);
}

}  // namespace qv::cli
