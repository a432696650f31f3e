#pragma once

#include "platform/ui/ui.h"

namespace qv::ui {

/// The user interface of quorvex-cli: messages go to standard error (title, then text),
/// questions are answered No (or OK where there is no No), and ending the program exits.
class ConsoleUi : public UserInterface {
 public:
  Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons) override;
  void EndProgram(int exitCode) override;
  void SetBusy(bool) override {}
};

}  // namespace qv::ui
