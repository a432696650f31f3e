// Measures turning paths back into installer keys on the generated 50,000-file package: the
// first PathsToKeys (which builds the directory list and the file list) and the cost per path
// of a text with 1,000 paths after that.

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/program_setup.h"
#include "bench/bench_support.h"
#include "paths/formatted_records.h"
#include "paths/record_translation.h"
#include "platform/machine/machine.h"

using namespace qv::bench;

int main() {
  char pattern[] = "/tmp/paths-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string dir = pattern;
  // A machine of its own: nothing of the user's settings is read or written.
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
  unsetenv("WINEPREFIX");
  qv::SetCurrentMachine(nullptr);
  if (!qv::SetUpProgramState()) return 1;

  std::printf("building a %d-file package (%d directories, %d components)...\n", kFiles,
              kDirectories, kComponents);
  const std::string package = BuildPackage(dir);
  if (package.empty()) {
    std::fprintf(stderr, "msibuild failed\n");
    return 1;
  }

  // The text: 1,000 file paths spread over the package, found through the keys-to-paths road.
  std::string keys;
  for (int i = 0; i < 1000; ++i) keys += "[#File" + std::to_string(i * (kFiles / 1000)) + "];";
  const std::string paths = qv::DecodeRecord(package, keys).text;

  std::string first;
  const Timing build =
      Measure(RUSAGE_SELF, [&] { first = qv::EncodeRecord(package, "C:\\nowhere\\x.txt"); });
  std::string encoded;
  const Timing lookups = Measure(RUSAGE_SELF, [&] { encoded = qv::EncodeRecord(package, paths); });

  size_t found = 0;
  for (size_t at = encoded.find("[#"); at != std::string::npos; at = encoded.find("[#", at + 2)) {
    ++found;
  }
  std::printf("first PathsToKeys (directory list and file list built): %.3f s CPU (%.3f s wall)\n",
              build.cpu, build.wall);
  std::printf(
      "1,000-path text: %.3f s CPU (%.3f s wall), %.1f us per path CPU; %zu of 1000 paths "
      "became file keys, text back as given: %s\n",
      lookups.cpu, lookups.wall, lookups.cpu * 1e6 / 1000, found, encoded == keys ? "yes" : "no");
  std::filesystem::remove_all(dir);
  return encoded == keys ? 0 : 1;
}
