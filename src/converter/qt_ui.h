#pragma once
// The user interface of the windows: Qt message boxes, the wait cursor and the end of the
// program through the event loop.

#include "platform/ui/ui.h"

namespace qv {

/// The Qt implementation of the message boxes, the busy pointer and ending the program.
class QtUi : public ui::UserInterface {
 public:
  /// A modal QMessageBox over the active window with exactly this title, text and buttons.
  ui::Answer ShowMessage(const std::string& text, const std::string& title,
                         ui::Buttons buttons) override;
  /// Code 0 leaves the event loop; any other code ends the process at once, since every
  /// setting already reached the disk when it was written.
  void EndProgram(int exitCode) override;
  /// The wait cursor over the whole application, nested as the calls nest.
  void SetBusy(bool busy) override;
};

}  // namespace qv
