// quorvex-screenshots OUTDIR: opens the converter as the program does, on the machine and
// settings the environment names, fills each tab with the example the README shows, and
// saves each tab and the help window as a PNG in OUTDIR. tools/screenshots runs it under Xvfb.

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <string>

#include "app/settings.h"
#include "app/startup.h"
#include "converter/converter_frm.h"
#include "help/help_window.h"
#include "platform/machine/machine.h"
#include "platform/ui/console_ui.h"
#include "platform/ui/ui.h"

namespace {

// The file names of the tabs' pictures, in the tabs' order.
constexpr const char* kTabFiles[] = {"tab-guids.png", "tab-numeric-values.png",
                                     "tab-decode-records.png", "tab-file-names.png"};
// The operator the numeric tab shows: "AND".
constexpr int kShownOperator = 5;

// Settings the converter restores on opening; the script names the values.
void SeedSettings() {
  auto fromEnvironment = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value != nullptr ? value : "");
  };
  qv::SaveSettingStr("Converter_CompGUID", fromEnvironment("QV_SHOT_GUID"));
  qv::SaveSettingStr("Converter_FileName", fromEnvironment("QV_SHOT_LONG_PATH"));
  qv::SaveSettingStr("ConvMsiFile", fromEnvironment("QV_SHOT_PACKAGE"));
  qv::SaveSettingDWord("Converter_Value0", 0x1234);
  qv::SaveSettingDWord("Converter_Value1", 0xFF);
}

bool Save(QWidget* widget, const QString& path) {
  if (widget->grab().save(path)) {
    std::printf("%s\n", path.toLocal8Bit().constData());
    return true;
  }
  std::fprintf(stderr, "quorvex-screenshots: cannot write %s\n", path.toLocal8Bit().constData());
  return false;
}

// Fills the record tab and the operator, then saves every tab and the help window.
bool TakeShots(qv::Converter_Frm& converter, const QDir& out) {
  converter.Op_Operator[kShownOperator]->click();
  const char* record = std::getenv("QV_SHOT_RECORD");
  converter.T_Original->setPlainText(QString::fromUtf8(record != nullptr ? record : ""));
  converter.T_Original_LostFocus();
  bool ok = true;
  for (int tab = 0; tab < converter.SSTab1->count(); ++tab) {
    converter.SSTab1->setCurrentIndex(tab);
    QApplication::processEvents();
    ok = Save(&converter, out.filePath(QString::fromUtf8(kTabFiles[tab]))) && ok;
  }
  qv::ShowHelpWindow(&converter, qv::HelpTopic::kMachines);
  QApplication::processEvents();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String("Help_Frm")) {
      ok = Save(window, out.filePath(QStringLiteral("help-window.png"))) && ok;
    }
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvex-screenshots OUTDIR\n");
    return 2;
  }
  QApplication app(argc, argv);
  // Messages go to standard error: nobody is there to answer a message box under Xvfb.
  qv::ui::Install(std::make_shared<qv::ui::ConsoleUi>());
  qv::Status status;
  qv::SetCurrentMachine(qv::LoadMachineFromEnvironment(&status));
  if (!status.ok()) {
    std::fprintf(stderr, "quorvex-screenshots: %s\n", status.message().c_str());
    return 1;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(out.path())) {
    std::fprintf(stderr, "quorvex-screenshots: cannot make %s\n", argv[1]);
    return 1;
  }

  std::unique_ptr<qv::Converter_Frm> converter;
  qv::StartWindow window;
  window.create = [&] { converter = std::make_unique<qv::Converter_Frm>(); };
  window.display = [&] {
    SeedSettings();
    std::string msiFile;
    std::string result;
    converter->Disp_Frm(converter.get(), msiFile, "", 0, &result);
    converter->resize(960, 640);
  };
  if (!qv::Main(window)) return 1;
  int exitCode = 1;
  // Once the window is on screen and laid out.
  QTimer::singleShot(500, &app, [&] {
    exitCode = TakeShots(*converter, out) ? 0 : 1;
    app.quit();
  });
  app.exec();
  return exitCode;
}
