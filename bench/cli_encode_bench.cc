// Measures quorvex-cli encode on the generated 50,000-file package with 1,000 paths read from
// standard input (opening the package, building the directory list and the file list, and
// the lookups), against msiinfo export of the File table of the same package. Goal: under a
// fifth of msiinfo's time.

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/path_bench_setup.h"

using namespace qv::bench;

namespace {

// Runs a shell command with its standard error thrown away; false when it fails.
bool RunQuietly(const std::string& command) {
  const int rc = std::system((command + " 2>/dev/null").c_str());
  return rc != -1 && WIFEXITED(rc) && WEXITSTATUS(rc) == 0;
}

}  // namespace

int main() {
  PathBench bench;
  if (!SetUpPathBench("/tmp/cli-encode-bench-XXXXXX", '\n', &bench)) return 1;
  const auto& [dir, package, keys, paths] = bench;
  WriteFile(dir + "/paths.txt", paths);

  const std::string encode = Quote(QV_CLI_PATH) + " encode " + Quote(package) + " - <" +
                             Quote(dir + "/paths.txt") + " >" + Quote(dir + "/keys.txt");
  const std::string exportFile =
      "cd " + Quote(dir) + " && msiinfo export " + Quote(package) + " File >/dev/null";
  bool ok = true;
  const Timing ours = Measure(RUSAGE_CHILDREN, [&] { ok = RunQuietly(encode) && ok; });
  const Timing msiinfo = Measure(RUSAGE_CHILDREN, [&] { ok = RunQuietly(exportFile) && ok; });
  std::string encoded;
  {
    FILE* f = std::fopen((dir + "/keys.txt").c_str(), "rb");
    char buffer[65536];
    size_t n;
    while (f && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0) encoded.append(buffer, n);
    if (f) std::fclose(f);
  }
  const bool same = encoded == keys;
  std::printf("quorvex-cli encode, 1,000 paths from standard input: %.3f s CPU (%.3f s wall)\n",
              ours.cpu, ours.wall);
  std::printf("msiinfo export File: %.3f s CPU (%.3f s wall)\n", msiinfo.cpu, msiinfo.wall);
  std::printf("ratio (ours / msiinfo, CPU): %.3f, goal under 0.2: %s; keys back as given: %s\n",
              ours.cpu / msiinfo.cpu, ours.cpu < msiinfo.cpu / 5 ? "met" : "missed",
              same ? "yes" : "no");
  if (!same) {
    std::printf("first line back: %s\n", encoded.substr(0, encoded.find('\n')).c_str());
    std::printf("first line given: %s\n", keys.substr(0, keys.find('\n')).c_str());
    std::printf("first path: %s\n", paths.substr(0, paths.find('\n')).c_str());
  }
  if (std::getenv("QV_BENCH_KEEP") == nullptr) std::filesystem::remove_all(dir);
  return ok && same ? 0 : 1;
}
