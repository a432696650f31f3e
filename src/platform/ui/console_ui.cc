#include "platform/ui/console_ui.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace qv::ui {

Answer ConsoleUi::ShowMessage(const std::string& text, const std::string& title, Buttons buttons) {
  // Messages use CR between lines; a terminal wants line feeds.
  std::string shown = text;
  for (char& c : shown) {
    if (c == '\r') c = '\n';
  }
  std::fprintf(stderr, "%s: %s\n", title.c_str(), shown.c_str());
  switch (buttons) {
    case Buttons::kOk:
      return Answer::kOk;
    case Buttons::kOkCancel:
      return Answer::kCancel;
    case Buttons::kYesNo:
    case Buttons::kYesNoCancel:
      return Answer::kNo;
  }
  return Answer::kOk;
}

void ConsoleUi::EndProgram(int exitCode) {
  std::fflush(stdout);
  std::fflush(stderr);
  std::exit(exitCode);
}

}  // namespace qv::ui
