// quorvex-cli: the converter's conversions and package queries for scripts.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/machine/machine.h"
#include "platform/ui/console_ui.h"
#include "platform/ui/ui.h"

namespace qv::cli {
namespace {

std::map<std::string, Command>& Registry() {
  static std::map<std::string, Command> commands;
  return commands;
}

void PrintUsage(FILE* out) {
  std::fprintf(out, "usage: quorvex-cli COMMAND ARGS...\n\ncommands:\n");
  for (const Command& c : Commands()) {
    std::fprintf(out, "  %s %s\n      %s\n", c.name, c.usage, c.help);
  }
}

}  // namespace

void RegisterCommand(const Command& command) {
  Registry()[command.name] = command;
}

std::vector<Command> Commands() {
  std::vector<Command> all;
  for (const auto& [name, c] : Registry()) all.push_back(c);
  return all;
}

std::string PackagePathArgument(const std::string& path) {
  const bool windowsForm = path.size() >= 2 && (path[1] == ':' || path.rfind("\\\\", 0) == 0);
  if (path.empty() || path[0] == '/' || windowsForm) return path;
  std::error_code ec;
  const std::string full = std::filesystem::absolute(path, ec).string();
  return ec ? path : full;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "quorvex-cli: %s\n", message.c_str());
  return 1;
}

int Usage(const char* commandName) {
  auto it = Registry().find(commandName);
  if (it == Registry().end()) {
    PrintUsage(stderr);
  } else {
    std::fprintf(stderr, "usage: quorvex-cli %s %s\n", it->second.name, it->second.usage);
  }
  return 2;
}

}  // namespace qv::cli

int main(int argc, char** argv) {
  using namespace qv;
  ui::Install(std::make_shared<ui::ConsoleUi>());
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "-h" || args[0] == "--help") {
    if (args.empty()) return cli::Usage("");
    std::printf("usage: quorvex-cli COMMAND ARGS...\n");
    for (const cli::Command& c : cli::Commands()) {
      std::printf("  %s %s\n      %s\n", c.name, c.usage, c.help);
    }
    return 0;
  }
  auto commands = cli::Commands();
  auto it = std::find_if(commands.begin(), commands.end(),
                         [&](const cli::Command& c) { return args[0] == c.name; });
  if (it == commands.end()) {
    std::fprintf(stderr, "quorvex-cli: unknown command '%s'\n", args[0].c_str());
    return cli::Usage("");
  }
  Status status;
  std::shared_ptr<const Machine> machine = LoadMachineFromEnvironment(&status);
  if (!status.ok()) return cli::Fail(status.message());
  for (const Status& problem : MachineProblems(*machine)) cli::Fail(problem.message());
  SetCurrentMachine(machine);
  return it->run(std::vector<std::string>(args.begin() + 1, args.end()));
}
