#pragma once
// The start both path benchmarks share: a scratch machine, the program state as start-up
// leaves it, the generated 50,000-file package and 1,000 of its files' paths.

#include <cstdio>
#include <string>

#include "app/program_setup.h"
#include "bench/bench_support.h"
#include "paths/record_translation.h"

namespace qv::bench {

/// The package and the texts a path benchmark measures with.
struct PathBench {
  std::string dir;      ///< the scratch folder
  std::string package;  ///< the 50,000-file package in it
  std::string keys;     ///< 1,000 file keys spread over the package, each followed by a separator
  std::string paths;    ///< the same text with every key decoded into its path
};

/// Sets up a path benchmark in a scratch folder made from pattern; false (with a message) when
/// the machine, the program state or the package cannot be made.
inline bool SetUpPathBench(const char* pattern, char separator, PathBench* bench) {
  bench->dir = UseScratchMachine(pattern);
  if (bench->dir.empty() || !SetUpProgramState()) return false;
  std::printf("building a %d-file package (%d directories, %d components)...\n", kFiles,
              kDirectories, kComponents);
  bench->package = BuildPackage(bench->dir);
  if (bench->package.empty()) {
    std::fprintf(stderr, "msibuild failed\n");
    return false;
  }
  bench->keys.clear();
  for (int i = 0; i < 1000; ++i) {
    bench->keys += "[#File" + std::to_string(i * (kFiles / 1000)) + "]" + separator;
  }
  bench->paths = DecodeRecord(bench->package, bench->keys).text;
  return true;
}

}  // namespace qv::bench
