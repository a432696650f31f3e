#pragma once
// Runs the quorvex-cli binary of this build (QV_CLI_PATH) and captures what it prints.

#include <string>
#include <vector>

#include "support/fixture_packages.h"
#include "support/temp_dir.h"

namespace qv::test {

/// What one run of quorvex-cli printed and returned.
struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

/// Runs quorvex-cli with args; standard error goes through a file in dir.
inline CliResult RunCli(const TempDir& dir, const std::vector<std::string>& args) {
  std::string command = ShellQuote(QV_CLI_PATH);
  for (const std::string& a : args) command += " " + ShellQuote(a);
  const std::string errFile = dir.Sub("stderr.txt");
  CliResult r;
  r.out = RunCommand(command + " 2>" + ShellQuote(errFile), &r.status);
  r.err = ReadFile(errFile);
  return r;
}

}  // namespace qv::test
