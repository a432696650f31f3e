// quorvex: the converter window.

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/startup.h"
#include "converter/converter_frm.h"
#include "converter/qt_ui.h"
#include "platform/machine/machine.h"
#include "platform/msi/msi_functions.h"
#include "platform/ui/ui.h"

namespace {

// Qt aborts when it cannot reach a display; say so in one line instead.
bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "quorvex: no display to open the window on (set DISPLAY, or start it under "
                 "xvfb-run)\n");
    return 1;
  }
  QApplication app(argc, argv);
  // The desktop names the window after its entry, quorvex.desktop, and shows its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("quorvex"));
  qv::ui::Install(std::make_shared<qv::QtUi>());

  qv::Status status;
  std::shared_ptr<const qv::Machine> machine = qv::LoadMachineFromEnvironment(&status);
  qv::SetCurrentMachine(machine);
  if (!status.ok()) {
    qv::ui::ShowMessage(status.message(), "Error", qv::ui::Buttons::kOk);
  }
  // What was read around (a dirty hive, an export that could not be read), once, lines
  // separated by CR as the program's messages are.
  std::string problems;
  for (const qv::Status& problem : qv::MachineProblems(*machine)) {
    problems += (problems.empty() ? "" : "\r") + problem.message();
  }
  if (!problems.empty()) qv::ui::ShowMessage(problems, "Error", qv::ui::Buttons::kOk);
  // The GUID tab answers at once from the first GUID typed.
  qv::msi::PrepareRegistrationQueries();

  std::unique_ptr<qv::Converter_Frm> converter;
  qv::StartWindow window;
  window.create = [&] { converter = std::make_unique<qv::Converter_Frm>(); };
  window.display = [&] {
    std::string msiFile;
    std::string result;
    converter->Disp_Frm(converter.get(), msiFile, "", 0, &result);
  };
  if (!qv::Main(window)) return 1;
  return app.exec();
}
