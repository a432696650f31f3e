// Measures loading a large Wine prefix's registry and answering registration queries on it: a
// generated system.reg of about 200 MB with 2,000 products and 100,000 components (and the
// class registrations that make up most of a real one), beside a user.reg with the user's
// products. Prints the plain read time of the files, the load time and its ratio to the read,
// the peak memory of loading over the files' size, the time of each registration query, and the
// time to identify a GUID as the GUID tab does (a product, the last component enumerated, a COM
// class, a GUID that is none of these).

#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/generated_guids.h"
#include "bench/registration_queries.h"
#include "platform/machine/machine.h"
#include "platform/machine/machine_profiles.h"
#include "platform/msi/engine_installer.h"
#include "platform/msi/msi_functions.h"
#include "platform/msi/packed_guid.h"

using qv::bench::Guid;
using qv::bench::kUnknownGuid;
using qv::bench::Measure;
using qv::bench::Packed;
using qv::bench::TimeQuery;
using qv::bench::Timing;

namespace {

constexpr int kProducts = 2000;
constexpr int kUserProducts = 150;       // installed for the user only
constexpr int kAdvertisedProducts = 50;  // registered, not installed
constexpr int kComponents = 100000;
constexpr size_t kTargetBytes = 200u << 20;
constexpr const char* kUserSid = "S-1-5-21-0-0-0-1000";
constexpr const char* kStamp = " 1796522371\n#time=1dc6a3f8e3a1b2c\n";

// Wine's key line: the path with each '\' doubled, and the key's time stamp.
void Key(std::string* out, const std::string& path) {
  *out += "\n[";
  for (char c : path) {
    *out += c;
    if (c == '\\') *out += '\\';
  }
  *out += "]";
  *out += kStamp;
}

void Text(std::string* out, const std::string& name, const std::string& value) {
  *out += name.empty() ? "@" : "\"" + name + "\"";
  *out += "=\"";
  for (char c : value) {
    if (c == '\\' || c == '"') *out += '\\';
    *out += c;
  }
  *out += "\"\n";
}

void Dword(std::string* out, const std::string& name, uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08x", value);
  *out += "\"" + name + "\"=dword:" + text + "\n";
}

struct Product {
  std::string code;
  std::string packed;
  int kind = 0;  // 0 per-machine, 1 the user's, 2 advertised
};

const char* kInstaller = "Software\\Microsoft\\Windows\\CurrentVersion\\Installer";

void ProductKey(std::string* out, const std::string& root, const Product& p, int n) {
  const std::string key = root + "\\" + p.packed;
  Key(out, key);
  Dword(out, "AdvertiseFlags", 0x184);
  Dword(out, "Assignment", p.kind == 1 ? 0 : 1);
  Dword(out, "AuthorizedLUAApp", 0);
  *out += "\"Clients\"=str(7):\":\\0\"\n";
  Dword(out, "InstanceType", 0);
  Dword(out, "Language", 1033);
  Text(out, "PackageCode", Packed(Guid(0xE, static_cast<uint32_t>(n))));
  Text(out, "ProductName", "Product " + std::to_string(n));
  Dword(out, "Version", 0x01020003);
  Key(out, key + "\\SourceList");
  Text(out, "LastUsedSource", "n;1;C:\\Sources\\Product " + std::to_string(n) + "\\");
  Text(out, "PackageName", "product" + std::to_string(n) + ".msi");
  Key(out, key + "\\SourceList\\Media");
  Text(out, "1", ";");
  Key(out, key + "\\SourceList\\Net");
  Text(out, "1", "C:\\Sources\\Product " + std::to_string(n) + "\\");
}

void UserData(std::string* out, const std::string& sid, const Product& p, int n,
              const std::vector<std::string>& features) {
  const std::string key =
      std::string(kInstaller) + "\\UserData\\" + sid + "\\Products\\" + p.packed;
  Key(out, key + "\\Features");
  for (const std::string& f : features) Text(out, f, "");
  Key(out, key + "\\InstallProperties");
  const std::string name = "Product " + std::to_string(n);
  for (const char* empty : {"AuthorizedCDFPrefix", "Comments", "Contact", "HelpLink",
                            "HelpTelephone", "ReadMe", "Size", "URLInfoAbout", "URLUpdateInfo"}) {
    Text(out, empty, "");
  }
  Text(out, "DisplayName", name);
  Text(out, "DisplayVersion", "1.2.3");
  Dword(out, "EstimatedSize", 1024);
  Text(out, "InstallDate", "20260101");
  Text(out, "InstallLocation", "C:\\Program Files\\" + name + "\\");
  Text(out, "InstallSource", "C:\\Sources\\" + name + "\\");
  Dword(out, "Language", 1033);
  Text(out, "LocalPackage", "C:\\windows\\Installer\\" + std::to_string(10000 + n) + ".msi");
  Text(out, "ModifyPath", "MsiExec.exe /I" + p.code);
  Text(out, "Publisher", "Bench Publisher");
  Text(out, "UninstallString", "MsiExec.exe /I" + p.code);
  Dword(out, "Version", 0x01020003);
  Dword(out, "VersionMajor", 1);
  Dword(out, "VersionMinor", 2);
  Dword(out, "WindowsInstaller", 1);
  Key(out, key + "\\Usage");
  Dword(out, "Main", 0x10003);
}

// The registry files of the prefix; returns the last component in enumeration order (the
// machine's components come after the user's, each in key order).
std::string WritePrefix(const std::string& prefix, const Product** sample) {
  static std::vector<Product> products;
  for (int n = 0; n < kProducts; ++n) {
    Product p;
    p.code = Guid(0xA, static_cast<uint32_t>(n));
    p.packed = Packed(p.code);
    p.kind = n < kUserProducts ? 1 : n < kUserProducts + kAdvertisedProducts ? 2 : 0;
    products.push_back(p);
  }
  *sample = &products[kProducts - 1];
  const std::vector<std::string> features = {"Main", "Documentation", "Samples", "Tools"};
  // Components: one client each, every tenth shared with the next product.
  std::vector<std::pair<std::string, std::string>> machineComponents;  // packed, clients
  std::vector<std::pair<std::string, std::string>> userComponents;
  for (int c = 0; c < kComponents; ++c) {
    const Product& owner = products[static_cast<size_t>(c % kProducts)];
    if (owner.kind == 2) continue;
    std::string clients = "\"" + owner.packed + "\"=\"C:\\\\Program Files\\\\Product " +
                          std::to_string(c % kProducts) + "\\\\file" + std::to_string(c) +
                          ".dll\"\n";
    if (c % 10 == 0) {
      const Product& other = products[static_cast<size_t>((c + 1) % kProducts)];
      if (other.kind == owner.kind) {
        clients += "\"" + other.packed + "\"=\"C:\\\\Program Files\\\\Shared\\\\file" +
                   std::to_string(c) + ".dll\"\n";
      }
    }
    (owner.kind == 1 ? userComponents : machineComponents)
        .emplace_back(Packed(Guid(0xC, static_cast<uint32_t>(c))), clients);
  }
  auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
  std::sort(machineComponents.begin(), machineComponents.end(), byKey);
  std::sort(userComponents.begin(), userComponents.end(), byKey);
  std::vector<const Product*> sorted;
  for (const Product& p : products) sorted.push_back(&p);
  std::sort(sorted.begin(), sorted.end(),
            [](const Product* a, const Product* b) { return a->packed < b->packed; });

  std::string installerPart;
  installerPart.reserve(64u << 20);
  for (const Product* p : sorted) {
    if (p->kind == 1) continue;
    Key(&installerPart, "Software\\Classes\\Installer\\Features\\" + p->packed);
    for (const std::string& f : features) Text(&installerPart, f, "");
  }
  for (const Product* p : sorted) {
    if (p->kind != 1) {
      ProductKey(&installerPart, "Software\\Classes\\Installer\\Products", *p,
                 static_cast<int>(p - products.data()));
    }
  }
  std::string userData;
  userData.reserve(64u << 20);
  const std::string components = std::string(kInstaller) + "\\UserData\\";
  for (const auto& [packed, clients] : machineComponents) {
    Key(&userData, components + "S-1-5-18\\Components\\" + packed);
    userData += clients;
  }
  for (const Product* p : sorted) {
    if (p->kind == 0)
      UserData(&userData, "S-1-5-18", *p, static_cast<int>(p - products.data()), features);
  }
  for (const auto& [packed, clients] : userComponents) {
    Key(&userData, components + kUserSid + "\\Components\\" + packed);
    userData += clients;
  }
  for (const Product* p : sorted) {
    if (p->kind == 1)
      UserData(&userData, kUserSid, *p, static_cast<int>(p - products.data()), features);
  }

  // Class registrations fill the rest, as they fill a real machine's registry.
  std::ofstream system(prefix + "/system.reg", std::ios::binary);
  system << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
  size_t written = 0;
  std::string chunk;
  const size_t classBytes = kTargetBytes - installerPart.size() - userData.size();
  for (uint32_t n = 0; written < classBytes; ++n) {
    chunk.clear();
    const std::string clsid = Guid(0x5, n);
    const std::string key = "Software\\Classes\\CLSID\\" + clsid;
    Key(&chunk, key);
    Text(&chunk, "", "Bench Class " + std::to_string(n));
    Key(&chunk, key + "\\InprocServer32");
    Text(&chunk, "", "C:\\windows\\system32\\benchlib" + std::to_string(n % 500) + ".dll");
    Text(&chunk, "ThreadingModel", "Both");
    Key(&chunk, key + "\\ProgID");
    Text(&chunk, "", "Bench.Class" + std::to_string(n) + ".1");
    system << chunk;
    written += chunk.size();
  }
  system << installerPart << userData;
  std::ofstream user(prefix + "/user.reg", std::ios::binary);
  user << "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\" << kUserSid
       << "\n\n#arch=win64\n";
  std::string userPart;
  for (const Product* p : sorted) {
    if (p->kind != 1) continue;
    Key(&userPart, "Software\\Microsoft\\Installer\\Features\\" + p->packed);
    for (const std::string& f : features) Text(&userPart, f, "");
  }
  for (const Product* p : sorted) {
    if (p->kind == 1) {
      ProductKey(&userPart, "Software\\Microsoft\\Installer\\Products", *p,
                 static_cast<int>(p - products.data()));
    }
  }
  user << userPart;
  std::string last;
  qv::msi::UnpackGuid(machineComponents.back().first, &last);
  return last;
}

long MaxRssKb() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

Timing ReadFiles(const std::vector<std::string>& files) {
  Timing best{1e9, 1e9};
  for (int round = 0; round < 3; ++round) {
    const Timing t = Measure(RUSAGE_SELF, [&] {
      for (const std::string& f : files) {
        std::ifstream in(f, std::ios::binary);
        std::string bytes(std::filesystem::file_size(f), '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      }
    });
    best.wall = std::min(best.wall, t.wall);
    best.cpu = std::min(best.cpu, t.cpu);
  }
  return best;
}

// The measured part, in a process of its own so that its peak memory is the load's.
int MeasureLoad(const std::string& prefix, const std::string& product, const std::string& last,
                const Timing& read) {
  const long before = MaxRssKb();
  qv::Status status;
  std::shared_ptr<qv::Machine> machine;
  const Timing load = Measure(RUSAGE_SELF, [&] {
    machine = qv::LoadWinePrefix(prefix, qv::MachineSettingsFromEnvironment(), &status);
  });
  if (!machine) {
    std::fprintf(stderr, "loading failed: %s\n", status.ToString().c_str());
    return 1;
  }
  const long peakKb = MaxRssKb() - before;
  const double fileBytes = static_cast<double>(std::filesystem::file_size(prefix + "/system.reg") +
                                               std::filesystem::file_size(prefix + "/user.reg"));
  std::printf(
      "load: %.3f s wall (%.3f s CPU): %.2f x the plain read in CPU time (%.2f x in wall "
      "time)\n",
      load.wall, load.cpu, load.cpu / read.cpu, load.wall / read.wall);
  std::printf("load memory: %.1f MB peak, %.2f x the files' size\n", peakKb / 1024.0,
              peakKb * 1024.0 / fileBytes);
  std::fflush(stdout);
  qv::SetCurrentMachine(machine);
  qv::bench::TimePreparation(load);
  auto installer = qv::msi::MakeEngineInstaller();
  const qv::bench::QueryAnswers a = qv::bench::TimeRegistrationQueries(*installer, product, last);
  // What identifying a GUID that is no product or component costs most: the feature search.
  const std::vector<std::string> all = installer->Products();
  TimeQuery("FeatureState of an unknown GUID in every product", [&] {
    for (const std::string& p : all) installer->FeatureState(p, kUnknownGuid);
  });

  // What the GUID tab shows, its first line as a check that each GUID was found as what it is.
  const bool allFound = qv::bench::TimeIdentifications({
      {"IdentifyGUID of an installed product", product},
      {"IdentifyGUID of the last component enumerated", last},
      {"IdentifyGUID of a COM class", Guid(0x5, 0)},
      {"IdentifyGUID of an unknown GUID", kUnknownGuid},
  });
  return a.state == 5 && a.clients > 0 && allFound ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 7 && std::string(argv[1]) == "--measure") {
    return MeasureLoad(argv[2], argv[3], argv[4], Timing{std::stod(argv[5]), std::stod(argv[6])});
  }
  char pattern[] = "/tmp/registry-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string dir = pattern;
  // A machine of its own: nothing of the user's settings is read or written.
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
  setenv("USER", "bench", 1);
  const std::string prefix = dir + "/prefix";
  std::filesystem::create_directories(prefix + "/drive_c/windows/system32");
  std::filesystem::create_directories(prefix + "/dosdevices");
  std::filesystem::create_symlink("../drive_c", prefix + "/dosdevices/c:");
  std::printf("writing a Wine prefix with %d products and %d components...\n", kProducts,
              kComponents);
  const Product* sample = nullptr;
  const std::string last = WritePrefix(prefix, &sample);
  const std::vector<std::string> files = {prefix + "/system.reg", prefix + "/user.reg"};
  std::printf("system.reg %.1f MB, user.reg %.1f MB\n",
              std::filesystem::file_size(files[0]) / 1048576.0,
              std::filesystem::file_size(files[1]) / 1048576.0);
  const Timing read = ReadFiles(files);
  std::printf("plain read of the files: %.3f s wall (%.3f s CPU)\n", read.wall, read.cpu);
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    execl("/proc/self/exe", argv[0], "--measure", prefix.c_str(), sample->code.c_str(),
          last.c_str(), std::to_string(read.wall).c_str(), std::to_string(read.cpu).c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int result = 1;
  waitpid(child, &result, 0);
  // QUORVEX_BENCH_KEEP keeps the prefix, to measure it again with --measure.
  if (std::getenv("QUORVEX_BENCH_KEEP") != nullptr) {
    std::printf("kept: %s --measure %s %s %s %f %f\n", argv[0], prefix.c_str(),
                sample->code.c_str(), last.c_str(), read.wall, read.cpu);
  } else {
    std::filesystem::remove_all(dir);
  }
  std::printf(
      "(goals: load within 3x the plain read, memory at most 2x the files' size, each "
      "query within 5 ms)\n");
  return WIFEXITED(result) ? WEXITSTATUS(result) : 1;
}
