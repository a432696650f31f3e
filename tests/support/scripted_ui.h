#pragma once
// A user interface for tests: records every message and answers from a script.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ui.h"

namespace qv::test {

/// One message box as the user would have seen it.
struct ShownMessage {
  std::string text;
  std::string title;
  ui::Buttons buttons;
};

/// Records messages; answers them from a queue (then OK, or No where OK is no choice);
/// counts ends.
class ScriptedUi : public ui::UserInterface {
 public:
  ui::Answer ShowMessage(const std::string& text, const std::string& title,
                         ui::Buttons buttons) override;
  void EndProgram(int exitCode) override;
  void SetBusy(bool busy) override;

  /// Queues the answer to the next unanswered message.
  void Answer(ui::Answer answer) { m_answers.push_back(answer); }

  std::vector<ShownMessage> messages;
  int endCount = 0;
  int lastExitCode = 0;
  int busyDepth = 0;     ///< hourglass nesting now; 0 when every path restored it
  int busyMaxDepth = 0;  ///< deepest nesting seen

 private:
  std::deque<ui::Answer> m_answers;
};

/// Installs a ScriptedUi for its lifetime and puts the previous one back afterwards.
class ScopedScriptedUi {
 public:
  ScopedScriptedUi();
  ~ScopedScriptedUi();
  ScriptedUi* operator->() { return m_ui.get(); }
  ScriptedUi& get() { return *m_ui; }

 private:
  std::shared_ptr<ScriptedUi> m_ui;
  std::shared_ptr<ui::UserInterface> m_previous;
};

}  // namespace qv::test
