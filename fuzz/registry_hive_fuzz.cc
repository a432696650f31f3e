// Feeds arbitrary bytes to the hive reader (Wine files and regedit exports in every encoding)
// and writes back what it kept, which must read again without a problem.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry/hive_reader.h"
#include "platform/registry/hive_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  qv::registry::Hive hive;
  size_t problems = 0;
  qv::Status s =
      qv::registry::ParseHive(bytes, "fuzz.reg", &hive, [&](const qv::Status&) { ++problems; });
  if (!s.ok()) return 0;
  std::string written = qv::registry::WriteWineHive(hive, "\\Machine", 0);
  qv::registry::Hive again;
  bool reread = false;
  qv::Status s2 = qv::registry::ParseHive(written, "again.reg", &again,
                                          [&](const qv::Status&) { reread = true; });
  if (!s2.ok() || reread) std::abort();  // what we write must read back cleanly
  return 0;
}
