// Feeds arbitrary bytes to the hive reader (Wine files and regedit exports in every encoding),
// as they are and once more as the UTF-16LE export of the same text, and writes back what it
// kept, which must read again without a problem.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry/hive_reader.h"
#include "platform/registry/hive_writer.h"
#include "platform/registry/text_codec.h"

namespace {

void ReadAndWriteBack(const std::string& bytes) {
  qv::registry::Hive hive;
  if (!qv::registry::ParseHive(bytes, "fuzz.reg", &hive, nullptr).ok()) return;
  const std::string written = qv::registry::WriteWineHive(hive, "\\Machine", 0);
  qv::registry::Hive again;
  bool problem = false;
  const qv::Status s = qv::registry::ParseHive(written, "again.reg", &again,
                                               [&](const qv::Status&) { problem = true; });
  if (!s.ok() || problem) std::abort();  // what we write must read back cleanly
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ReadAndWriteBack(bytes);
  ReadAndWriteBack("\xFF\xFE" + qv::registry::Utf8ToUtf16Le(bytes));
  return 0;
}
