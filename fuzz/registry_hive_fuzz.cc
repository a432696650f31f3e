// Feeds arbitrary bytes to the hive reader (Wine files and regedit exports in every encoding),
// as they are and once more as the UTF-16LE export of the same text, and writes back what it
// read. Written back and read again, the hive must hold the same values, and a second write
// must give the same text: nothing is lost or changed by a write, lines the reader could not
// read included.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry/hive_reader.h"
#include "platform/registry/hive_writer.h"
#include "platform/registry/name_compare.h"
#include "platform/registry/text_codec.h"

namespace {

bool SameValues(const qv::registry::Hive& a, const qv::registry::Hive& b) {
  if (a.keys().size() != b.keys().size()) return false;
  for (const auto& [folded, key] : a.keys()) {
    const qv::registry::Key* other = b.FindKey(key.path);
    if (other == nullptr || other->values().size() != key.values().size()) return false;
    // A name read twice in a key is written as its last line spells it.
    for (std::size_t i = 0; i < key.values().size(); ++i) {
      const auto& [name, value] = key.values()[i];
      const auto& [otherName, otherValue] = other->values()[i];
      if (!qv::registry::SameName(name, otherName) || !(value == otherValue)) return false;
    }
  }
  return true;
}

void ReadAndWriteBack(const std::string& bytes) {
  qv::registry::Hive hive;
  if (!qv::registry::ParseHive(bytes, "fuzz.reg", &hive, nullptr).ok()) return;
  const std::string written = qv::registry::WriteWineHive(hive, "\\Machine", 0);
  qv::registry::Hive again;
  if (!qv::registry::ParseHive(written, "again.reg", &again, nullptr).ok()) std::abort();
  if (!SameValues(hive, again)) std::abort();
  if (qv::registry::WriteWineHive(again, "\\Machine", 0) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ReadAndWriteBack(bytes);
  ReadAndWriteBack("\xFF\xFE" + qv::registry::Utf8ToUtf16Le(bytes));
  return 0;
}
