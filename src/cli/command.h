#pragma once
// quorvex-cli's commands: each command file registers itself with a name, a usage line and a
// function; main() dispatches on the first argument.

#include <string>
#include <vector>

namespace qv::cli {

/// Runs a command on its arguments (the command name not included); returns the exit code:
/// 0 success, 1 failure (after one line on standard error), 2 wrong usage. A run that
/// reported an installer error ends with 1 whatever the command returns.
using CommandFunction = int (*)(const std::vector<std::string>& args);

/// One command of quorvex-cli.
struct Command {
  const char* name;
  const char* usage;  ///< arguments as shown in the usage text, e.g. "PKG TABLE"
  const char* help;   ///< one line saying what it prints
  CommandFunction run;
};

/// Adds a command; used through a static CommandRegistration in each command file.
void RegisterCommand(const Command& command);
/// Every registered command, sorted by name.
std::vector<Command> Commands();

/// Registers a command when the program starts.
struct CommandRegistration {
  explicit CommandRegistration(const Command& command) { RegisterCommand(command); }
};

/// A package path as given on the command line, made absolute when it is a relative host
/// path (Windows paths and absolute host paths are kept as they are).
std::string PackagePathArgument(const std::string& path);

/// The TEXT argument of a command: the argument itself, or for "-" all of standard input
/// without its last line end (a text of any length, beyond what one argument may hold).
/// False when standard input cannot be read.
bool TextArgument(const std::string& arg, std::string* text);

/// Prints "quorvex-cli: <message>" to standard error and returns 1.
int Fail(const std::string& message);
/// Prints the command's usage line to standard error and returns 2.
int Usage(const char* commandName);

}  // namespace qv::cli
