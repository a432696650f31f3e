#pragma once
// What lower layers need from the windows: message boxes, ending the program and the busy
// pointer. The windows install a Qt implementation, tests a scripted one, quorvex-cli one
// that writes to standard error.

#include <memory>
#include <string>

namespace qv::ui {

/// The button sets a message box offers (Visual Basic's vbOKOnly, vbYesNo, ...).
enum class Buttons { kOk, kOkCancel, kYesNo, kYesNoCancel };

/// The button that closed a message box, numbered as Visual Basic numbers them.
enum class Answer { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

/// The user interface the program talks to below the windows.
class UserInterface {
 public:
  virtual ~UserInterface() = default;
  /// Shows a modal message with exactly this text, title and button set; returns the answer.
  virtual Answer ShowMessage(const std::string& text, const std::string& title,
                             Buttons buttons) = 0;
  /// Ends the program: code 0 after the start window closed, non-zero after a fatal error.
  virtual void EndProgram(int exitCode) = 0;
  /// Shows the hourglass (true) or the normal pointer (false).
  virtual void SetBusy(bool busy) = 0;
};

/// Installs the implementation every later call goes to; returns the one it replaces.
std::shared_ptr<UserInterface> Install(std::shared_ptr<UserInterface> ui);
/// The installed implementation (a console one until something else is installed).
UserInterface& Current();

/// Shows a message through the installed implementation.
Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons);
/// Ends the program through the installed implementation and remembers that it did.
void EndProgram(int exitCode = 1);
/// True once EndProgram was called: code that goes on after it stops early.
bool ProgramEnded();
/// Forgets that the program ended (tests run many programs in one process).
void ResetProgramEnded();
/// Sets the busy pointer through the installed implementation.
void SetBusy(bool busy);

/// Holds the busy pointer for its lifetime, so every path out of a handler restores it.
class BusyScope {
 public:
  BusyScope() { SetBusy(true); }
  ~BusyScope() { SetBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

}  // namespace qv::ui
