// Opens damaged Windows hive files and walks every key: a valid hive (long subkey lists under
// ri lists, every value type) with the input's byte changes applied, its header checksum made
// right again so the damage reaches the bins. Reading must never crash or hang. Its seeds
// (fuzz/seeds/regf_hive) are the first byte that picks each layout of subkey lists ("0" lh,
// "1" lf, "2" li) and one with a change.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/registry/regf_hive.h"
#include "platform/registry/value.h"
#include "support/regf_writer.h"

namespace {

std::string BaseHive(uint8_t choice) {
  using qv::registry::Value;
  const qv::test::SubkeyList kinds[] = {qv::test::SubkeyList::kLh, qv::test::SubkeyList::kLf,
                                        qv::test::SubkeyList::kLi};
  qv::test::RegfWriter writer(qv::test::RegfLayout{kinds[choice % 3], 4});
  const uint32_t list = writer.KeyAt("Installer\\Components");
  for (int i = 0; i < 12; ++i) {
    const uint32_t key = writer.AddKey(list, "Key" + std::to_string(i));
    writer.AddValue(key, "Text", qv::registry::kText, Value::Text("value").StoredBytes());
    writer.AddValue(key, "", qv::registry::kMultiText, Value::MultiText({"a", "b"}).StoredBytes());
    writer.AddValue(key, "N", qv::registry::kDword, Value::Dword(7).data);
  }
  writer.AddKey(writer.KeyAt("Ключ"), "Unicode");
  return writer.Bytes();
}

// Walks the keys below path, at most budget of them.
void Walk(const qv::registry::RegfHive& hive, const std::string& path, int depth, int* budget) {
  if (depth > 6 || --*budget < 0) return;
  qv::registry::Value value;
  for (const auto& [name, v] : hive.Values(path)) hive.ReadValue(path, name, &value);
  for (const std::string& child : hive.SubkeyNames(path)) {
    const std::string below = path.empty() ? child : path + "\\" + child;
    hive.KeyExists(below);
    Walk(hive, below, depth + 1, budget);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::string bytes = BaseHive(data[0]);
  // Each 3 bytes change one byte: a 16-bit offset (scaled over the file) and the new value.
  for (size_t i = 1; i + 3 <= size; i += 3) {
    const size_t at = ((data[i] | data[i + 1] << 8) * bytes.size()) >> 16;
    bytes[at] = static_cast<char>(data[i + 2]);
  }
  if (size % 3 != 2) {  // mostly keep the header valid so the bins are read
    std::memcpy(bytes.data(), "regf", 4);
    uint32_t sum = 0;
    for (size_t i = 0; i < 0x1FC; i += 4) {
      uint32_t word = 0;
      std::memcpy(&word, bytes.data() + i, 4);
      sum ^= word;
    }
    std::memcpy(bytes.data() + 0x1FC, &sum, 4);
  }
  const int fd = memfd_create("hive", 0);
  if (fd < 0) return 0;
  if (write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())) {
    std::shared_ptr<const qv::registry::RegfHive> hive;
    if (qv::registry::RegfHive::Open("/proc/self/fd/" + std::to_string(fd), &hive).ok()) {
      int budget = 400;
      Walk(*hive, "", 0, &budget);
    }
  }
  close(fd);
  return 0;
}
