// Lists a folder as the file selection window does: 500 generated packages and 100 verbose
// logs of 5 MB each, against reading the same Property values with `msiinfo export` per
// package. Also prints how soon the first row is there.

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "details/file_rows.h"
#include "platform/machine/machine.h"
#include "platform/ui/console_ui.h"
#include "platform/ui/ui.h"
#include "services/text_files.h"

namespace {

using namespace qv::bench;

constexpr int kPackages = 500;
constexpr int kLogs = 100;
constexpr size_t kLogBytes = 5 * 1024 * 1024;

// Writes kPackages packages with their own Property values through one msibuild run each.
bool BuildPackages(const std::string& dir) {
  std::string script = "set -e\ncd " + Quote(dir) + "\n";
  for (int i = 0; i < kPackages; ++i) {
    char property[512];
    std::snprintf(property, sizeof property,
                  "Property\tValue\r\ns72\tl0\r\nProperty\tProperty\r\n"
                  "ProductName\tBench Product %d\r\nProductVersion\t1.%d.%d\r\n"
                  "ProductLanguage\t%d\r\nProductCode\t{%08X-1111-2222-3333-444455556666}\r\n"
                  "Manufacturer\tBench\r\n",
                  i, i / 100, i % 100, i % 2 ? 1033 : 1031, i);
    const std::string idt = "p" + std::to_string(i) + ".idt";
    WriteFile(dir + "/" + idt, property);
    script += "mkdir -p t" + std::to_string(i) + " && cp " + idt + " t" + std::to_string(i) +
              "/Property.idt && (cd t" + std::to_string(i) + " && msibuild ../package" +
              std::to_string(i) + ".msi -i Property.idt) && rm -r t" + std::to_string(i) + " " +
              idt + "\n";
  }
  WriteFile(dir + "/build.sh", script);
  return std::system(("sh " + Quote(dir + "/build.sh")).c_str()) == 0;
}

// Writes kLogs verbose logs of kLogBytes, half of them in UTF-16LE, the package name near the
// top as installer logs have it.
void WriteLogs(const std::string& dir) {
  std::string filler;
  while (filler.size() < kLogBytes) {
    filler +=
        "MSI (s) (10:20) [08:00:00:004]: Doing action: CostFinalize with a property "
        "dump line that fills the log\r\n";
  }
  for (int i = 0; i < kLogs; ++i) {
    const std::string text =
        "=== Verbose logging started: 2/1/2024  08:00:00  Build type: SHIP UNICODE ===\r\n"
        "MSI (s) (10:20) [08:00:00:001]: Command Line: REINSTALL=ALL\r\n"
        "MSI (s) (10:20) [08:00:00:003]: Package name extracted from package path: 'package" +
        std::to_string(i) + ".msi'\r\n" + filler;
    WriteFile(dir + "/install" + std::to_string(i) + ".log",
              i % 2 ? "\xFF\xFE" + qv::Utf8ToUtf16Le(text) : text);
  }
}

}  // namespace

int main() {
  char pattern[] = "/tmp/selection-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string dir = pattern;
  // The built-in machine lives in the bench's own folder, not in the user's settings.
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
  unsetenv("WINEPREFIX");
  unsetenv("QUORVEX_REGISTRY_IMPORT");
  qv::ui::Install(std::make_shared<qv::ui::ConsoleUi>());
  const std::string folder = dir + "/pkgs";
  std::filesystem::create_directories(folder);
  std::printf("building %d packages and %d logs of %zu MB...\n", kPackages, kLogs, kLogBytes >> 20);
  if (!BuildPackages(folder)) {
    std::fprintf(stderr, "msibuild failed\n");
    return 1;
  }
  WriteLogs(folder);

  qv::FileListing listing;
  listing.CurrentDir = qv::WindowsFormOfHostPath(qv::CurrentMachine(), folder);
  int rows = 0, packages = 0;
  double firstRow = -1;
  const auto start = Clock::now();
  const Timing ours = Measure(RUSAGE_SELF, [&] {
    qv::FolderScan scan(&listing);
    while (scan.Step([&](qv::FileRow row) {
      if (firstRow < 0) firstRow = Seconds(start);
      ++rows;
      if (!row[5].empty() && row[1] == "MSI") ++packages;
    })) {
    }
  });

  const Timing reference = Measure(RUSAGE_CHILDREN, [&] {
    for (int i = 0; i < kPackages; ++i) {
      const std::string command = "msiinfo export " +
                                  Quote(folder + "/package" + std::to_string(i) + ".msi") +
                                  " Property >/dev/null";
      if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
    }
  });
  // The other side's wall time includes our own process waiting for it: only its own time.
  std::printf(
      "listing %d rows (%d packages with details, %d logs): ours %.3f s CPU (%.3f s wall), "
      "first row after %.4f s; msiinfo export of Property per package: %.3f s CPU (%.3f s "
      "wall): %.1fx faster by CPU, %.1fx by wall (target >= 20x)\n",
      rows, packages, kLogs, ours.cpu, ours.wall, firstRow, reference.cpu, reference.wall,
      reference.cpu / ours.cpu, reference.wall / ours.wall);
  std::filesystem::remove_all(dir);
  return 0;
}
