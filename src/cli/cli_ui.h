#pragma once
// The user interface of quorvex-cli: the console one, remembering whether an installer error
// was reported, so that a run that reported one ends with exit status 1.

#include "platform/ui/console_ui.h"

namespace qv::cli {

/// Messages go to standard error as ConsoleUi writes them; an installer error report (the
/// "Msi Access Error" question) is remembered.
class CliUi : public ui::ConsoleUi {
 public:
  ui::Answer ShowMessage(const std::string& text, const std::string& title,
                         ui::Buttons buttons) override;
  /// True once an installer error was reported.
  bool InstallerErrorReported() const { return m_installerError; }

 private:
  bool m_installerError = false;
};

}  // namespace qv::cli
