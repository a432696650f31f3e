// quorvex-cli guid pack GUID / guid unpack PACKED / guid identify GUID: the GUID tab's
// conversions and what a GUID is on this machine.

#include <cstdio>
#include <string>
#include <vector>

#include "app/program_setup.h"
#include "cli/command.h"
#include "guids/guid_forms.h"
#include "guids/guid_identification.h"
#include "platform/msi/packed_guid.h"

namespace qv::cli {
namespace {

constexpr const char* kName = "guid";
constexpr const char* kStandardForm = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";

// A wrong argument is a usage error: one line saying what was expected, status 2.
int BadArgument(const std::string& message) {
  std::fprintf(stderr, "quorvex-cli: %s\n", message.c_str());
  return 2;
}

// What the installer helper library cannot convert is no GUID: it answers "".
int Pack(const std::string& guid) {
  const std::string packed = PackGUID(guid);
  if (packed.empty()) {
    return BadArgument("'" + guid + "' is not a GUID in the form " + kStandardForm);
  }
  std::printf("%s\n", packed.c_str());
  return 0;
}

int Unpack(const std::string& packed) {
  const std::string guid = UnpackGUID(packed);
  if (guid.empty()) {
    return BadArgument("'" + packed + "' is not a packed GUID (32 hexadecimal digits)");
  }
  std::printf("%s\n", guid.c_str());
  return 0;
}

// The description as the window shows it, with a line feed where the window breaks a line.
int Identify(const std::string& guid) {
  if (!msi::IsStandardGuid(guid)) {
    return BadArgument("'" + guid + "' is not a GUID in the form " + kStandardForm);
  }
  if (!SetUpProgramState()) return Fail("the installer object cannot be created");
  std::string description;
  IdentifyGUID(guid, &description);
  if (description.empty()) {
    std::fprintf(stderr, "quorvex-cli: %s is not known on this machine\n", guid.c_str());
    return 1;
  }
  for (char& c : description) {
    if (c == '\r') c = '\n';
  }
  std::printf("%s\n", description.c_str());
  return 0;
}

int RunGuid(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage(kName);
  if (args[0] == "pack") return Pack(args[1]);
  if (args[0] == "unpack") return Unpack(args[1]);
  if (args[0] == "identify") return Identify(args[1]);
  return Usage(kName);
}

const CommandRegistration kGuid({kName, "pack GUID | unpack PACKED | identify GUID",
                                 "a GUID's packed form, its standard form, or what it is on "
                                 "this machine (status 1 when it is nothing known)",
                                 &RunGuid});

}  // namespace
}  // namespace qv::cli
