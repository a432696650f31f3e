// quorvex-cli short PATH / long PATH: the file-name tab's conversions.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/fs/win32_paths.h"

namespace qv::cli {
namespace {

// The limit of the converter's buffers: a 255-character answer at most.
constexpr uint32_t kPathBuffer = 256;

int Convert(const char* name, const std::vector<std::string>& args,
            uint32_t (*convert)(const std::string&, std::string*, uint32_t)) {
  if (args.size() != 1 || args[0].empty()) return Usage(name);
  std::string converted;
  if (convert(args[0], &converted, kPathBuffer) == 0) {
    return Fail("'" + args[0] + "' does not exist (or its " + name +
                " form is longer than 255 characters)");
  }
  std::printf("%s\n", converted.c_str());
  return 0;
}

int RunShort(const std::vector<std::string>& args) {
  return Convert("short", args, &GetShortPathNameA);
}

int RunLong(const std::vector<std::string>& args) {
  return Convert("long", args, &GetLongPathNameA);
}

const CommandRegistration kShort({"short", "PATH",
                                  "the short (8.3) form of an existing Windows or host path",
                                  &RunShort});
const CommandRegistration kLong({"long", "PATH",
                                 "the long form of an existing Windows or host path", &RunLong});

}  // namespace
}  // namespace qv::cli
