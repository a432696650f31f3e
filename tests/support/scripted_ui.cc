#include "support/scripted_ui.h"

#include <algorithm>

namespace qv::test {

ui::Answer ScriptedUi::ShowMessage(const std::string& text, const std::string& title,
                                   ui::Buttons buttons) {
  messages.push_back({text, title, buttons});
  if (!m_answers.empty()) {
    ui::Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
  }
  return buttons == ui::Buttons::kOk ? ui::Answer::kOk : ui::Answer::kNo;
}

void ScriptedUi::EndProgram(int exitCode) {
  ++endCount;
  lastExitCode = exitCode;
}

void ScriptedUi::SetBusy(bool busy) {
  busyDepth += busy ? 1 : -1;
  busyMaxDepth = std::max(busyMaxDepth, busyDepth);
}

ScopedScriptedUi::ScopedScriptedUi() : m_ui(std::make_shared<ScriptedUi>()) {
  m_previous = ui::Install(m_ui);
  ui::ResetProgramEnded();
}

ScopedScriptedUi::~ScopedScriptedUi() {
  ui::Install(m_previous);
  ui::ResetProgramEnded();
}

}  // namespace qv::test
