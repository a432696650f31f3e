// quorvex-cli machine: what the program sees as its machine, whichever kind it is.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/machine/machine.h"
#include "platform/machine/machine_registry.h"
#include "platform/msi/installer_registration.h"

namespace qv::cli {
namespace {

void Line(const std::string& label, const std::string& value) {
  std::printf("%s: %s\n", label.c_str(), value.c_str());
}

int RunMachine(const std::vector<std::string>& args) {
  if (!args.empty()) return Usage("machine");
  const Machine& machine = CurrentMachine();
  Line("kind", MachineKindText(machine));
  std::string drives;
  for (const auto& [letter, folder] : machine.drives) {
    drives += (drives.empty() ? "" : ", ") + std::string(1, letter) + ": " + folder;
  }
  Line("drives", drives);
  Line("Windows folder", machine.windowsDir);
  Line("system folder", machine.systemDir);
  Line("temp folder", machine.tempDir);
  Line("user", machine.userName + " (" + machine.userSid + ")");
  std::printf("registry:\n");
  for (const HiveOrigin& origin : machine.hiveOrigins) {
    std::printf("  %s\t%s%s\n", origin.key.c_str(), origin.source.c_str(),
                origin.imported ? " (imported)" : "");
  }
  std::printf("  settings\t%s\n", machine.storeDir.c_str());
  msi::InstallerRegistration registration(CurrentRegistry(), machine.userSid);
  int installed = 0;
  int advertised = 0;
  for (const std::string& product : registration.Products()) {
    const int state = registration.ProductState(product);
    installed += state == msi::kStateDefault;
    advertised += state == msi::kStateAdvertised;
  }
  Line("installed products", std::to_string(installed));
  Line("advertised products", std::to_string(advertised));
  const std::vector<Status> problems = MachineProblems(machine);
  std::printf("problems:%s\n", problems.empty() ? " none" : "");
  for (const Status& problem : problems) std::printf("  %s\n", problem.message().c_str());
  return 0;
}

const CommandRegistration kMachine({"machine", "",
                                    "the machine the program sees: its kind, drives, folders, "
                                    "user, where its registry comes from and its products",
                                    &RunMachine});

}  // namespace
}  // namespace qv::cli
