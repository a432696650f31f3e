// Measures a Windows installation on disk as the machine: a generated SOFTWARE hive of about
// 200 MB (3,000 products and 100,000 components, and the class and servicing keys that make up
// most of a real one) beside small SYSTEM, NTUSER.DAT and UsrClass.dat hives. Prints the plain
// read time of the SOFTWARE hive, the time until the machine is ready, and the time of each
// registration query. The hives are written by the tests' regf writer: libhivex's write API
// rescans every sibling for each key it adds and holds at most 65,535 subkeys in a list, so it
// cannot build a component list of this size.

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
#include "platform/registry/value.h"
#include "support/regf_writer.h"

using qv::bench::Guid;
using qv::bench::Measure;
using qv::bench::Packed;
using qv::bench::Timing;
using qv::registry::Value;
using qv::test::RegfWriter;

namespace {

constexpr int kProducts = 3000;
constexpr int kUserProducts = 200;        // installed for the user only
constexpr int kAdvertisedProducts = 100;  // registered, not installed
constexpr int kComponents = 100000;
constexpr size_t kTargetBytes = 200u << 20;
constexpr const char* kUserSid = "S-1-5-21-1111111111-2222222222-3333333333-1001";
constexpr const char* kInstaller = "Microsoft\\Windows\\CurrentVersion\\Installer";

void Text(RegfWriter* w, uint32_t key, const std::string& name, const std::string& value,
          uint32_t type = qv::registry::kText) {
  w->AddValue(key, name, type, Value::Text(value, type).StoredBytes());
}

void Dword(RegfWriter* w, uint32_t key, const std::string& name, uint32_t value) {
  w->AddValue(key, name, qv::registry::kDword, Value::Dword(value).data);
}

struct Product {
  std::string code;
  std::string packed;
  int kind = 0;  // 0 per-machine, 1 the user's, 2 advertised
};

// The registration every product has where the installer keeps it (Products\<packed>).
void ProductKey(RegfWriter* w, uint32_t products, const Product& p, int n) {
  const uint32_t key = w->AddKey(products, p.packed);
  Dword(w, key, "AdvertiseFlags", 0x184);
  Dword(w, key, "Assignment", p.kind == 1 ? 0 : 1);
  Dword(w, key, "AuthorizedLUAApp", 0);
  w->AddValue(key, "Clients", qv::registry::kMultiText, Value::MultiText({":"}).StoredBytes());
  Dword(w, key, "InstanceType", 0);
  Dword(w, key, "Language", 1033);
  Text(w, key, "PackageCode", Packed(Guid(0xE, static_cast<uint32_t>(n))));
  Text(w, key, "ProductName", "Product " + std::to_string(n));
  Dword(w, key, "Version", 0x01020003);
  const uint32_t sources = w->AddKey(key, "SourceList");
  Text(w, sources, "LastUsedSource", "n;1;C:\\Sources\\Product " + std::to_string(n) + "\\");
  Text(w, sources, "PackageName", "product" + std::to_string(n) + ".msi");
  Text(w, w->AddKey(sources, "Media"), "1", ";");
  Text(w, w->AddKey(sources, "Net"), "1", "C:\\Sources\\Product " + std::to_string(n) + "\\");
}

void InstalledProduct(RegfWriter* w, uint32_t products, const Product& p, int n,
                      const std::vector<std::string>& features) {
  const uint32_t key = w->AddKey(products, p.packed);
  const uint32_t f = w->AddKey(key, "Features");
  for (const std::string& feature : features) Text(w, f, feature, "");
  const uint32_t props = w->AddKey(key, "InstallProperties");
  const std::string name = "Product " + std::to_string(n);
  for (const char* empty : {"AuthorizedCDFPrefix", "Comments", "Contact", "HelpLink",
                            "HelpTelephone", "ReadMe", "Size", "URLInfoAbout", "URLUpdateInfo"}) {
    Text(w, props, empty, "");
  }
  Text(w, props, "DisplayName", name);
  Text(w, props, "DisplayVersion", "1.2.3");
  Dword(w, props, "EstimatedSize", 1024);
  Text(w, props, "InstallDate", "20260101");
  Text(w, props, "InstallLocation", "C:\\Program Files\\" + name + "\\");
  Text(w, props, "InstallSource", "C:\\Sources\\" + name + "\\");
  Dword(w, props, "Language", 1033);
  Text(w, props, "LocalPackage", "C:\\Windows\\Installer\\" + std::to_string(10000 + n) + ".msi");
  Text(w, props, "ModifyPath", "MsiExec.exe /I" + p.code, qv::registry::kExpandText);
  Text(w, props, "Publisher", "Bench Publisher");
  Text(w, props, "UninstallString", "MsiExec.exe /I" + p.code, qv::registry::kExpandText);
  Dword(w, props, "Version", 0x01020003);
  Dword(w, props, "VersionMajor", 1);
  Dword(w, props, "VersionMinor", 2);
  Dword(w, props, "WindowsInstaller", 1);
  Dword(w, w->AddKey(key, "Usage"), "Main", 0x10003);
}

// The hives of the installation; returns the last component in enumeration order (the
// machine's components come after the user's, each in key order) and a per-machine product.
void WriteInstallation(const std::string& root, std::string* last, std::string* product) {
  std::vector<Product> products;
  for (int n = 0; n < kProducts; ++n) {
    Product p;
    p.code = Guid(0xA, static_cast<uint32_t>(n));
    p.packed = Packed(p.code);
    p.kind = n < kUserProducts ? 1 : n < kUserProducts + kAdvertisedProducts ? 2 : 0;
    products.push_back(p);
  }
  *product = products.back().code;
  const std::vector<std::string> features = {"Main", "Documentation", "Samples", "Tools"};

  RegfWriter software;
  RegfWriter user;
  const uint32_t machineProducts = software.KeyAt("Classes\\Installer\\Products");
  const uint32_t machineFeatures = software.KeyAt("Classes\\Installer\\Features");
  const uint32_t userProducts = user.KeyAt("Software\\Microsoft\\Installer\\Products");
  const uint32_t userFeatures = user.KeyAt("Software\\Microsoft\\Installer\\Features");
  const std::string userData = std::string(kInstaller) + "\\UserData\\";
  const uint32_t machineData = software.KeyAt(userData + "S-1-5-18\\Products");
  const uint32_t userDataProducts = software.KeyAt(userData + kUserSid + "\\Products");
  for (size_t n = 0; n < products.size(); ++n) {
    const Product& p = products[n];
    const int i = static_cast<int>(n);
    RegfWriter* registration = p.kind == 1 ? &user : &software;
    ProductKey(registration, p.kind == 1 ? userProducts : machineProducts, p, i);
    const uint32_t f = registration->AddKey(p.kind == 1 ? userFeatures : machineFeatures, p.packed);
    for (const std::string& feature : features) Text(registration, f, feature, "");
    if (p.kind != 2) {
      InstalledProduct(&software, p.kind == 1 ? userDataProducts : machineData, p, i, features);
    }
  }
  // Components: one client each, every tenth shared with the next product of the same kind.
  const uint32_t machineComponents = software.KeyAt(userData + "S-1-5-18\\Components");
  const uint32_t userComponents = software.KeyAt(userData + kUserSid + "\\Components");
  std::vector<std::string> machinePacked;
  for (int c = 0; c < kComponents; ++c) {
    const Product& owner = products[static_cast<size_t>(c % kProducts)];
    if (owner.kind == 2) continue;
    const std::string packed = Packed(Guid(0xC, static_cast<uint32_t>(c)));
    const uint32_t key =
        software.AddKey(owner.kind == 1 ? userComponents : machineComponents, packed);
    Text(&software, key, owner.packed,
         "C:\\Program Files\\Product " + std::to_string(c % kProducts) + "\\file" +
             std::to_string(c) + ".dll");
    const Product& other = products[static_cast<size_t>((c + 1) % kProducts)];
    if (c % 10 == 0 && other.kind == owner.kind) {
      Text(&software, key, other.packed,
           "C:\\Program Files\\Shared\\file" + std::to_string(c) + ".dll");
    }
    if (owner.kind == 0) machinePacked.push_back(packed);
  }
  qv::msi::UnpackGuid(*std::max_element(machinePacked.begin(), machinePacked.end()), last);

  const uint32_t nt = software.KeyAt("Microsoft\\Windows NT\\CurrentVersion");
  Text(&software, nt, "SystemRoot", "C:\\Windows");
  const uint32_t cv = software.KeyAt("Microsoft\\Windows\\CurrentVersion");
  Text(&software, cv, "ProgramFilesDir", "C:\\Program Files");
  Text(&software, cv, "ProgramFilesDir (x86)", "C:\\Program Files (x86)");
  const uint32_t profile = software.KeyAt(
      std::string("Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\") + kUserSid);
  Text(&software, profile, "ProfileImagePath", "C:\\Users\\bench", qv::registry::kExpandText);
  Dword(&software, profile, "LocalProfileLoadTimeHigh", 0x01DC6A3F);
  Dword(&software, profile, "LocalProfileLoadTimeLow", 0);

  // Class and servicing registrations fill the rest, as they fill a real machine's hive.
  const uint32_t clsid = software.KeyAt("Classes\\CLSID");
  const uint32_t packages =
      software.KeyAt("Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\Packages");
  for (uint32_t n = 0; software.ApproximateSize() < kTargetBytes; ++n) {
    if (n < 40000) {
      const uint32_t key = software.AddKey(clsid, Guid(0x5, n));
      Text(&software, key, "", "Bench Class " + std::to_string(n));
      const uint32_t server = software.AddKey(key, "InprocServer32");
      Text(&software, server, "",
           "C:\\Windows\\system32\\benchlib" + std::to_string(n % 500) + ".dll");
      Text(&software, server, "ThreadingModel", "Both");
      Text(&software, software.AddKey(key, "ProgID"), "", "Bench.Class" + std::to_string(n) + ".1");
    } else {
      const uint32_t key = software.AddKey(packages, "Package_for_KB" + std::to_string(n) +
                                                         "~31bf3856ad364e35~amd64~~10.0.1." +
                                                         std::to_string(n % 977));
      Text(&software, key, "InstallName", "Package_for_KB" + std::to_string(n) + ".mum");
      Text(&software, key, "InstallLocation",
           "\\\\?\\C:\\Windows\\Servicing\\Packages\\" + std::to_string(n) + "\\update.cab");
      Dword(&software, key, "CurrentState", 0x70);
      Dword(&software, key, "InstallTimeHigh", 0x01DC6A3F);
      const uint32_t owners = software.AddKey(key, "Owners");
      Dword(&software, owners, "Package_for_RollupFix~31bf3856ad364e35~amd64~~19041.1", 0x70);
    }
  }
  const std::string config = root + "/Windows/System32/config";
  std::filesystem::create_directories(config);
  std::filesystem::create_directories(root + "/Users/bench/AppData/Local/Microsoft/Windows");
  software.Write(config + "/SOFTWARE");
  RegfWriter system;
  Dword(&system, system.KeyAt("Select"), "Current", 1);
  Text(&system, system.KeyAt("ControlSet001\\Control\\Session Manager\\Environment"), "TEMP",
       "%SystemRoot%\\TEMP", qv::registry::kExpandText);
  system.Write(config + "/SYSTEM");
  Text(&user, user.KeyAt("Environment"), "TEMP", "%USERPROFILE%\\AppData\\Local\\Temp",
       qv::registry::kExpandText);
  user.Write(root + "/Users/bench/NTUSER.DAT");
  RegfWriter().Write(root + "/Users/bench/AppData/Local/Microsoft/Windows/UsrClass.dat");
}

Timing ReadFile(const std::string& path) {
  Timing best{1e9, 1e9};
  for (int round = 0; round < 3; ++round) {
    const Timing t = Measure(RUSAGE_SELF, [&] {
      std::ifstream in(path, std::ios::binary);
      std::string bytes(std::filesystem::file_size(path), '\0');
      in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
    best.wall = std::min(best.wall, t.wall);
    best.cpu = std::min(best.cpu, t.cpu);
  }
  return best;
}

// The measured part, in a process of its own so that nothing of the writing is in it.
int MeasureLoad(const std::string& root, const std::string& product, const std::string& last) {
  qv::Status status;
  std::shared_ptr<qv::Machine> machine;
  const Timing load = Measure(RUSAGE_SELF, [&] {
    machine = qv::LoadWindowsInstallation(root, "", qv::MachineSettingsFromEnvironment(), &status);
  });
  if (!machine) {
    std::fprintf(stderr, "loading failed: %s\n", status.ToString().c_str());
    return 1;
  }
  std::printf("load: %.3f s wall (%.3f s CPU)\n", load.wall, load.cpu);
  std::fflush(stdout);
  qv::SetCurrentMachine(machine);
  qv::bench::TimePreparation(load);
  auto installer = qv::msi::MakeEngineInstaller();
  const qv::bench::QueryAnswers a = qv::bench::TimeRegistrationQueries(*installer, product, last);
  const bool allFound = qv::bench::TimeIdentifications({
      {"IdentifyGUID of an installed product", product},
      {"IdentifyGUID of the last component enumerated", last},
      {"IdentifyGUID of a COM class", Guid(0x5, 0)},
      {"IdentifyGUID of an unknown GUID", qv::bench::kUnknownGuid},
  });
  return a.state == 5 && a.clients > 0 && a.enumerated > 90000 && allFound ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--measure")
    return MeasureLoad(argv[2], argv[3], argv[4]);
  char pattern[] = "/tmp/windows-hive-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string dir = pattern;
  // A machine of its own: nothing of the user's settings is read or written.
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
  const std::string root = dir + "/win";
  std::printf("writing a Windows installation with %d products and %d components...\n", kProducts,
              kComponents);
  std::fflush(stdout);
  std::string last;
  std::string product;
  WriteInstallation(root, &last, &product);
  const std::string software = root + "/Windows/System32/config/SOFTWARE";
  std::printf("SOFTWARE %.1f MB\n", std::filesystem::file_size(software) / 1048576.0);
  const Timing read = ReadFile(software);
  std::printf("plain read of SOFTWARE: %.3f s wall (%.3f s CPU)\n", read.wall, read.cpu);
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    execl("/proc/self/exe", argv[0], "--measure", root.c_str(), product.c_str(), last.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int result = 1;
  waitpid(child, &result, 0);
  // QUORVEX_BENCH_KEEP keeps the installation, to measure it again with --measure.
  if (std::getenv("QUORVEX_BENCH_KEEP") != nullptr) {
    std::printf("kept: %s --measure %s %s %s\n", argv[0], root.c_str(), product.c_str(),
                last.c_str());
  } else {
    std::filesystem::remove_all(dir);
  }
  std::printf("(goals: ready within 1 s, each query within 5 ms)\n");
  return WIFEXITED(result) ? WEXITSTATUS(result) : 1;
}
