// Feeds arbitrary bytes to the indexed hive and to the full reader: every key the reader
// keeps must exist in the index with the same values and subkeys.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry/hive_reader.h"
#include "platform/registry/text_hive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  qv::registry::Hive full;
  if (!qv::registry::ParseHive(bytes, "fuzz.reg", &full, nullptr).ok()) return 0;
  std::shared_ptr<const qv::registry::TextHive> lazy;
  if (!qv::registry::TextHive::Load(bytes, "fuzz.reg", nullptr, &lazy).ok()) std::abort();
  for (const auto& [folded, key] : full.keys()) {
    if (!lazy->KeyExists(key.path)) std::abort();
    if (lazy->Values(key.path) != full.Values(key.path)) std::abort();
    if (lazy->SubkeyNames(key.path) != full.SubkeyNames(key.path)) std::abort();
  }
  return 0;
}
