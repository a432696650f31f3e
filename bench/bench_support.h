#pragma once
// What the benchmarks share: the generated 50,000-file package and CPU/wall timing.

#include <stdlib.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/machine/machine.h"

namespace qv::bench {

constexpr int kDirectories = 2000;
constexpr int kComponents = 2000;
constexpr int kFiles = 50000;

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// CPU seconds (user + system) of this process or of its waited-for children. The machine is
// shared, so CPU time is the fair measure; wall time is printed beside it.
inline double CpuSeconds(int who) {
  struct rusage usage {};
  getrusage(who, &usage);
  auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall and CPU time of one measured step.
struct Timing {
  double wall = 0;
  double cpu = 0;
};

template <typename F>
Timing Measure(int who, F&& step) {
  const auto start = Clock::now();
  const double cpu = CpuSeconds(who);
  step();
  return {Seconds(start), CpuSeconds(who) - cpu};
}

// Makes a scratch folder named after pattern ("/tmp/name-XXXXXX") and makes the built-in
// machine of that folder current, so nothing of the user's settings is read or written.
// Returns the folder, or "" when it cannot be made.
inline std::string UseScratchMachine(std::string pattern) {
  if (!mkdtemp(pattern.data())) return "";
  setenv("XDG_CONFIG_HOME", (pattern + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (pattern + "/data").c_str(), 1);
  unsetenv("WINEPREFIX");
  qv::SetCurrentMachine(nullptr);
  return pattern;
}

inline std::string Quote(const std::string& s) {
  return "'" + s + "'";
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Writes the IDT tables and builds the package with msibuild; returns its path or "".
inline std::string BuildPackage(const std::string& dir) {
  char line[256];
  std::string directory =
      "Directory\tDirectory_Parent\tDefaultDir\r\ns72\tS72\tl255\r\n"
      "Directory\tDirectory\r\nTARGETDIR\t\tSourceDir\r\n";
  for (int i = 0; i < kDirectories; ++i) {
    const std::string parent = i < 20 ? "TARGETDIR" : "Dir" + std::to_string(i / 20 - 1);
    std::snprintf(line, sizeof line, "Dir%d\t%s\tDIR%d|Folder number %d\r\n", i, parent.c_str(), i,
                  i);
    directory += line;
  }
  std::string component =
      "Component\tComponentId\tDirectory_\tAttributes\tCondition\tKeyPath\r\n"
      "s72\tS38\ts72\ti2\tS255\tS72\r\nComponent\tComponent\r\n";
  for (int i = 0; i < kComponents; ++i) {
    std::snprintf(line, sizeof line,
                  "Comp%d\t{%08X-1111-2222-3333-444455556666}\tDir%d\t0\t\tFile%d\r\n", i, i, i, i);
    component += line;
  }
  std::string file =
      "File\tComponent_\tFileName\tFileSize\tVersion\tLanguage\tAttributes\tSequence\r\n"
      "s72\ts72\tl255\ti4\tS72\tS20\tI2\ti2\r\nFile\tFile\r\n";
  for (int i = 0; i < kFiles; ++i) {
    std::snprintf(line, sizeof line,
                  "File%d\tComp%d\tFILE%d.DAT|data file %d.dat\t%d\t\t\t\t%d\r\n", i,
                  i % kComponents, i, i, 1000 + i, (i % 30000) + 1);
    file += line;
  }
  WriteFile(dir + "/Directory.idt", directory);
  WriteFile(dir + "/Component.idt", component);
  WriteFile(dir + "/File.idt", file);
  WriteFile(dir + "/Property.idt",
            "Property\tValue\r\ns72\tl0\r\nProperty\tProperty\r\nProductName\tBench\r\n");
  WriteFile(dir + "/Media.idt",
            "DiskId\tLastSequence\tDiskPrompt\tCabinet\tVolumeLabel\tSource\r\n"
            "i2\ti2\tL64\tS255\tS32\tS72\r\nMedia\tDiskId\r\n1\t30000\t\t#a.cab\t\t\r\n");
  const std::string out = dir + "/bench.msi";
  const std::string command = "cd " + Quote(dir) +
                              " && msibuild bench.msi -i Directory.idt -i "
                              "Component.idt -i File.idt -i Property.idt -i Media.idt";
  if (std::system(command.c_str()) != 0) return "";
  return out;
}

}  // namespace qv::bench
