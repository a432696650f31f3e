// quorvex-cli: the converter's conversions and package queries for scripts.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_ui.h"
#include "cli/command.h"
#include "platform/machine/machine.h"
#include "platform/ui/ui.h"

namespace qv::cli {
namespace {

std::map<std::string, Command>& Registry() {
  static std::map<std::string, Command> commands;
  return commands;
}

void PrintUsage(FILE* out) {
  std::fprintf(out,
               "usage: quorvex-cli COMMAND ARGS...\n"
               "       quorvex-cli COMMAND --help | help [COMMAND] | --version\n\ncommands:\n");
  for (const Command& c : Commands()) {
    std::fprintf(out, "  %s %s\n      %s\n", c.name, c.usage, c.help);
  }
}

// One command's usage and what it prints, for its help.
void PrintCommandHelp(const Command& c) {
  std::printf("usage: quorvex-cli %s %s\n  %s\n", c.name, c.usage, c.help);
}

const Command* FindCommand(const std::string& name) {
  auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : &it->second;
}

bool IsHelpOption(const std::string& arg) {
  return arg == "-h" || arg == "--help";
}

// Help, version or a command: what the arguments ask for, and its exit status.
int Dispatch(const std::vector<std::string>& args, const CliUi& ui) {
  if (args.empty()) return Usage("");
  if (args[0] == "--version" || args[0] == "-V") {
    std::printf("quorvex-cli %s\n", QV_VERSION);
    return 0;
  }
  if (IsHelpOption(args[0]) || args[0] == "help") {
    if (args.size() == 1) {
      PrintUsage(stdout);
      return 0;
    }
    const Command* command = FindCommand(args[1]);
    if (!command || args.size() > 2) {
      std::fprintf(stderr, "quorvex-cli: no command '%s'\n", args[1].c_str());
      return Usage("");
    }
    PrintCommandHelp(*command);
    return 0;
  }
  const Command* command = FindCommand(args[0]);
  if (!command) {
    std::fprintf(stderr, "quorvex-cli: unknown command '%s'\n", args[0].c_str());
    return Usage("");
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  // "-h" or "--help" anywhere after a command, or "help" as its only argument, asks for help.
  if (std::any_of(rest.begin(), rest.end(), IsHelpOption) ||
      (rest.size() == 1 && rest[0] == "help")) {
    PrintCommandHelp(*command);
    return 0;
  }
  Status status;
  std::shared_ptr<const Machine> machine = LoadMachineFromEnvironment(&status);
  if (!status.ok()) return Fail(status.message());
  for (const Status& problem : MachineProblems(*machine)) Fail(problem.message());
  SetCurrentMachine(machine);
  const int exitCode = command->run(rest);
  return exitCode == 0 && ui.InstallerErrorReported() ? 1 : exitCode;
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

bool TextArgument(const std::string& arg, std::string* text) {
  if (arg != "-") {
    *text = arg;
    return true;
  }
  text->clear();
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) text->append(buffer, n);
  if (std::ferror(stdin)) return false;
  if (!text->empty() && text->back() == '\n') text->pop_back();
  if (!text->empty() && text->back() == '\r') text->pop_back();
  return true;
}

}  // namespace qv::cli

int main(int argc, char** argv) {
  auto ui = std::make_shared<qv::cli::CliUi>();
  qv::ui::Install(ui);
  return qv::cli::Dispatch(std::vector<std::string>(argv + 1, argv + argc), *ui);
}
