// Measures the installer engine against msitools' libmsi on a generated 50,000-file package:
// the file-list workload (open, one File scan, one Component query per file), exporting every
// table (quorvex-cli export against msiinfo export), and the engine's peak memory.

#include <libmsi.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "platform/msi/engine_installer.h"
#include "platform/msi/package_database.h"

namespace {

using namespace qv::bench;

// Ours: open, scan File, one Component query per file. Returns the rows found.
long OurFileList(const std::string& path) {
  std::shared_ptr<qv::msi::PackageDatabase> db;
  if (!qv::msi::OpenPackageDatabase(path, 0, &db).ok()) return -1;
  auto files = db->OpenView("SELECT `File`, `Component_`, `FileName` FROM `File`");
  if (!files || !files->Execute()) return -1;
  long found = 0;
  while (auto file = files->Fetch()) {
    auto component = db->OpenView("SELECT `Directory_` FROM `Component` WHERE `Component` = '" +
                                  file->StringData(2) + "'");
    if (!component || !component->Execute()) return -1;
    if (auto row = component->Fetch()) found += !row->StringData(1).empty();
    component->Close();
  }
  return found;
}

// The same loop on libmsi.
long LibmsiFileList(const std::string& path) {
  LibmsiDatabase* db =
      libmsi_database_new(path.c_str(), LIBMSI_DB_FLAGS_READONLY, nullptr, nullptr);
  if (!db) return -1;
  LibmsiQuery* files =
      libmsi_query_new(db, "SELECT `File`, `Component_`, `FileName` FROM `File`", nullptr);
  long found = 0;
  if (files && libmsi_query_execute(files, nullptr, nullptr)) {
    while (LibmsiRecord* file = libmsi_query_fetch(files, nullptr)) {
      gchar* component = libmsi_record_get_string(file, 2);
      const std::string sql =
          std::string("SELECT `Directory_` FROM `Component` WHERE `Component` = '") + component +
          "'";
      g_free(component);
      LibmsiQuery* q = libmsi_query_new(db, sql.c_str(), nullptr);
      if (q && libmsi_query_execute(q, nullptr, nullptr)) {
        if (LibmsiRecord* row = libmsi_query_fetch(q, nullptr)) {
          gchar* dir = libmsi_record_get_string(row, 1);
          found += dir && *dir;
          g_free(dir);
          g_object_unref(row);
        }
        libmsi_query_close(q, nullptr);
      }
      if (q) g_object_unref(q);
      g_object_unref(file);
    }
  }
  if (files) g_object_unref(files);
  g_object_unref(db);
  return found;
}

long StatusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size());
  }
  return 0;
}

// Peak memory the engine adds while running the file list, measured in a fresh process of
// this program (a forked child would inherit the parent's peak).
long EnginePeakKb(const std::string& path, long* baseKb) {
  const std::string self = std::filesystem::canonical("/proc/self/exe").string();
  FILE* child = popen((Quote(self) + " --peak " + Quote(path)).c_str(), "r");
  if (!child) return -1;
  long peak = -1;
  if (std::fscanf(child, "%ld %ld", baseKb, &peak) != 2) peak = -1;
  pclose(child);
  return peak - *baseKb;
}

std::string CliPath() {
  if (const char* env = std::getenv("QV_CLI")) return env;
  return (std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "src" /
          "quorvex-cli")
      .string();
}

Timing TimeExports(const std::string& tool, const std::string& path,
                   const std::vector<std::string>& tables) {
  return Measure(RUSAGE_CHILDREN, [&] {
    for (const std::string& t : tables) {
      const std::string command = tool + " export " + Quote(path) + " " + t + " >/dev/null";
      if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
    }
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--peak") {
    const long before = StatusKb("VmRSS:");
    OurFileList(argv[2]);
    std::printf("%ld %ld\n", before, StatusKb("VmHWM:"));
    return 0;
  }
  char pattern[] = "/tmp/msi-engine-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string dir = pattern;
  std::printf("building a %d-file package (%d directories, %d components)...\n", kFiles,
              kDirectories, kComponents);
  const std::string path = BuildPackage(dir);
  if (path.empty()) {
    std::fprintf(stderr, "msibuild failed\n");
    return 1;
  }
  const auto packageBytes = std::filesystem::file_size(path);

  long ourRows = 0, refRows = 0;
  const Timing ours = Measure(RUSAGE_SELF, [&] { ourRows = OurFileList(path); });
  const Timing reference = Measure(RUSAGE_SELF, [&] { refRows = LibmsiFileList(path); });
  std::printf(
      "file list: ours %.3f s CPU (%.3f s wall, %ld rows), libmsi %.3f s CPU (%.3f s "
      "wall, %ld rows): %.1fx faster by CPU, %.1fx by wall (target >= 25x)\n",
      ours.cpu, ours.wall, ourRows, reference.cpu, reference.wall, refRows,
      reference.cpu / ours.cpu, reference.wall / ours.wall);

  std::shared_ptr<qv::msi::PackageDatabase> db;
  if (!qv::msi::OpenPackageDatabase(path, 0, &db).ok()) return 1;
  const std::vector<std::string> tables = db->TableNames();
  db.reset();
  const Timing cli = TimeExports(Quote(CliPath()), path, tables);
  const Timing msiinfo = TimeExports("msiinfo", path, tables);
  std::printf(
      "export of %zu tables: quorvex-cli %.3f s CPU (%.3f s wall), msiinfo %.3f s CPU "
      "(%.3f s wall): %.1fx faster by CPU, %.1fx by wall (target >= 10x)\n",
      tables.size(), cli.cpu, cli.wall, msiinfo.cpu, msiinfo.wall, msiinfo.cpu / cli.cpu,
      msiinfo.wall / cli.wall);

  long baseKb = 0;
  const long peakKb = EnginePeakKb(path, &baseKb);
  std::printf(
      "peak memory added by the engine: %ld KB (process before: %ld KB) for a %.0f KB "
      "package: %.2fx the package size (target <= 3x)\n",
      peakKb, baseKb, packageBytes / 1024.0, peakKb * 1024.0 / packageBytes);
  std::filesystem::remove_all(dir);
  return 0;
}
