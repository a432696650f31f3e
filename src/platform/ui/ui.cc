#include "platform/ui/ui.h"

#include <utility>

#include "platform/ui/console_ui.h"

namespace qv::ui {
namespace {

std::shared_ptr<UserInterface>& Slot() {
  static std::shared_ptr<UserInterface> ui = std::make_shared<ConsoleUi>();
  return ui;
}

bool g_ended = false;

}  // namespace

std::shared_ptr<UserInterface> Install(std::shared_ptr<UserInterface> ui) {
  std::shared_ptr<UserInterface> old = std::move(Slot());
  Slot() = ui ? std::move(ui) : std::make_shared<ConsoleUi>();
  return old;
}

UserInterface& Current() {
  return *Slot();
}

Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons) {
  return Current().ShowMessage(text, title, buttons);
}

void EndProgram(int exitCode) {
  g_ended = true;
  Current().EndProgram(exitCode);
}

bool ProgramEnded() {
  return g_ended;
}

void ResetProgramEnded() {
  g_ended = false;
}

void SetBusy(bool busy) {
  Current().SetBusy(busy);
}

}  // namespace qv::ui
