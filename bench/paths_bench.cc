// Measures turning paths back into installer keys and keys into paths: on the generated
// 50,000-file package, the first PathsToKeys (which builds the directory list and the file
// list) and the cost per path of a text with 1,000 paths after that; then hostile but valid
// input, each case of which must stay far from square time: a text of 5,000 backslashes,
// 10,000 Directory rows resolving to one folder, a 20,000-deep Directory chain, and 8,000 keys
// in one text.

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/path_bench_setup.h"
#include "paths/formatted_records.h"
#include "paths/record_translation.h"

using namespace qv::bench;

namespace {

// Builds a package whose Directory table holds rows (IDT lines after TARGETDIR) and no files.
std::string BuildDirectoryPackage(const std::string& dir, const std::string& name,
                                  const std::string& rows) {
  const std::string folder = dir + "/" + name;
  std::filesystem::create_directories(folder);
  WriteFile(folder + "/Directory.idt",
            "Directory\tDirectory_Parent\tDefaultDir\r\ns72\tS72\tl255\r\n"
            "Directory\tDirectory\r\nTARGETDIR\t\tSourceDir\r\n" +
                rows);
  WriteFile(folder + "/Property.idt",
            "Property\tValue\r\ns72\tl0\r\nProperty\tProperty\r\nProductName\tBench\r\n");
  const std::string command = "cd " + Quote(folder) + " && msibuild " + Quote(name + ".msi") +
                              " -i Directory.idt -i Property.idt";
  if (std::system(command.c_str()) != 0) return "";
  return folder + "/" + name + ".msi";
}

// The most memory the process has held so far, in MB.
double PeakResidentMb() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

// Prints one hostile case, the process's peak memory after it, and whether its result is the
// one expected.
void Report(const char* what, const Timing& t, bool right) {
  std::printf("%-58s %7.3f s CPU (%7.3f s wall)  peak %6.1f MB  %s\n", what, t.cpu, t.wall,
              PeakResidentMb(), right ? "result right" : "RESULT WRONG");
}

bool HostileCases(const std::string& dir, const std::string& bigPackage) {
  bool allRight = true;
  std::string result;

  const std::string backslashes = "C:\\" + std::string(5000, '\\') + "x.txt";
  const Timing slashes =
      Measure(RUSAGE_SELF, [&] { result = qv::EncodeRecord(bigPackage, backslashes); });
  const bool slashesRight = result.size() < backslashes.size() + 100;
  Report("5,000 backslashes in a text to encode", slashes, slashesRight);
  allRight &= slashesRight;

  std::string sameRows = "INSTALLDIR\tTARGETDIR\tInst\r\n";
  for (int i = 0; i < 10000; ++i) sameRows += "Same" + std::to_string(i) + "\tTARGETDIR\t.\r\n";
  const std::string same = BuildDirectoryPackage(dir, "same", sameRows);
  if (same.empty()) return false;
  const Timing merge =
      Measure(RUSAGE_SELF, [&] { result = qv::EncodeRecord(same, "C:\\Inst\\x.txt"); });
  const bool mergeRight = result == "[INSTALLDIR]x.txt";
  Report("10,000 Directory rows in one folder: first encode", merge, mergeRight);
  allRight &= mergeRight;

  std::string keys;
  for (int i = 0; i < 8000; ++i) keys += "[INSTALLDIR]";
  const Timing many = Measure(RUSAGE_SELF, [&] { result = qv::DecodeRecord(same, keys).text; });
  const bool manyRight = result.size() == 8000 * std::string("C:\\Inst\\").size();
  Report("8,000 keys in one text: decode", many, manyRight);
  allRight &= manyRight;

  std::string chainRows = "C0\tTARGETDIR\tc\r\n";
  for (int i = 1; i < 20000; ++i) {
    chainRows += "C" + std::to_string(i) + "\tC" + std::to_string(i - 1) + "\tc\r\n";
  }
  const std::string chain = BuildDirectoryPackage(dir, "chain", chainRows);
  if (chain.empty()) return false;
  // Folders past the installer's path length stay unresolved and fall back to the Windows
  // volume; the 101st folder of the chain still resolves.
  std::string c100 = "C:\\";
  for (int i = 0; i <= 100; ++i) c100 += "c\\";
  const Timing deep =
      Measure(RUSAGE_SELF, [&] { result = qv::DecodeRecord(chain, "[C19999] [C100]").text; });
  const bool deepRight = result == "C:\\ " + c100;
  if (!deepRight) std::printf("  (%zu characters: %.60s...)\n", result.size(), result.c_str());
  Report("20,000-deep Directory chain: decode", deep, deepRight);
  allRight &= deepRight;
  const Timing deepEncode =
      Measure(RUSAGE_SELF, [&] { result = qv::EncodeRecord(chain, "C:\\c\\c\\x.txt"); });
  const bool deepEncodeRight = result == "[C1]x.txt";
  Report("20,000-deep Directory chain: first encode", deepEncode, deepEncodeRight);
  allRight &= deepEncodeRight;
  return allRight;
}

}  // namespace

int main() {
  PathBench bench;
  if (!SetUpPathBench("/tmp/paths-bench-XXXXXX", ';', &bench)) return 1;
  const auto& [dir, package, keys, paths] = bench;

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

  std::printf("hostile but valid input (goal: each under 0.2 s):\n");
  const bool hostileRight = HostileCases(dir, package);
  std::filesystem::remove_all(dir);
  return encoded == keys && hostileRight ? 0 : 1;
}
