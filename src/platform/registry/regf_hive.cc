#include "platform/registry/regf_hive.h"

#include <fcntl.h>
#include <hivex.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/base/ascii_case.h"
#include "platform/base/little_endian.h"
#include "platform/host/host_file.h"
#include "platform/registry/name_compare.h"

// The format facts this file relies on, beyond what libhivex reads for it:
// - The base block (the file's first 4096 bytes) starts with "regf", then the primary and the
//   secondary sequence number (Windows raises the first before it writes the hive and sets the
//   second equal after; unequal numbers mean the write did not finish and the newest changes
//   are in the .LOG1/.LOG2 transaction logs), the last written time, the major (1) and minor
//   version; at 0x1FC the XOR of the 127 double words before it.
// - Cells start with a 32-bit size, negative while the cell is in use; offsets in records count
//   from 0x1000, the first hive bin. A key (nk) cell holds at +0x18 its number of subkeys and
//   at +0x20 the offset of its subkey list.
// - A subkey list is "lh" (entries of a key offset and a name hash: h = h * 37 + each upper-
//   cased UTF-16 unit of the name), "lf" (a key offset and the first four characters), "li"
//   (key offsets), each with its entry count at +6; or "ri" (offsets of such lists), which
//   Windows writes for long lists. Entries are sorted by upper-cased name.
// libhivex checks the structure when it opens a hive, and reads names and values. Subkey lists
// are walked here: libhivex refuses keys with more than 70,000 subkeys (the component list of
// a large machine has more) and finds a child by decoding every sibling's name, where the lh
// hashes let a lookup skip them.

namespace qv::registry {
namespace {

constexpr size_t kBinBase = 0x1000;
constexpr size_t kMinimumSize = 0x2000;  // the base block and one bin
constexpr size_t kKeyCellSize = 0x50;    // an nk cell up to its name

using CString = std::unique_ptr<char, decltype(&std::free)>;

uint32_t Le32(const unsigned char* p) {
  return ReadLe32(reinterpret_cast<const char*>(p));
}

bool IsAscii(std::string_view name) {
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The lh hash of an ASCII name, as Windows computes it over the upper-cased name.
uint32_t AsciiNameHash(std::string_view name) {
  uint32_t h = 0;
  for (char c : name) {
    h = h * 37 + static_cast<unsigned char>(AsciiToUpper(c));
  }
  return h;
}

// The base block's facts; a status naming what is wrong with it.
Status ReadHeader(const std::string& path, int fd, size_t size, RegfHeader* header) {
  unsigned char block[0x200] = {};
  const ssize_t n = pread(fd, block, sizeof block, 0);
  if (n < 0) return host::HostError(path, errno);
  if (n < 4 || std::memcmp(block, "regf", 4) != 0) {
    return Status::Corruption(path + ": not a registry hive file");
  }
  if (size < kMinimumSize || n < static_cast<ssize_t>(sizeof block)) {
    return Status::Corruption(path + ": a damaged registry hive (cut off after " +
                              std::to_string(size) + " bytes)");
  }
  header->primarySequence = Le32(block + 4);
  header->secondarySequence = Le32(block + 8);
  header->majorVersion = Le32(block + 20);
  header->minorVersion = Le32(block + 24);
  if (header->majorVersion != 1) {
    return Status::NotSupported(path + ": a registry hive of format version " +
                                std::to_string(header->majorVersion) + "." +
                                std::to_string(header->minorVersion) + ", which is not read");
  }
  uint32_t sum = 0;
  for (size_t at = 0; at < 0x1FC; at += 4) sum ^= Le32(block + at);
  if (sum != Le32(block + 0x1FC)) {
    return Status::Corruption(path + ": a damaged registry hive (its header checksum is wrong)");
  }
  return Status::Ok();
}

}  // namespace

Status RegfHive::Open(const std::string& path, std::shared_ptr<const RegfHive>* out) {
  host::HostFile file;
  Status opened = host::HostFile::Open(path, host::OpenMode::kRead, &file);
  if (!opened.ok()) {
    // A folder named as a hive file is worded as a file that is not a hive.
    return opened.code() == Status::Code::kInvalidArgument
               ? Status::Corruption(path + ": not a registry hive file")
               : opened;
  }
  struct stat st {};
  Status s = file.Stat(&st);
  if (!s.ok()) return s;
  if (file.InUseByAnotherProcess()) return Status::Busy(path + ": locked by another program");
  std::shared_ptr<RegfHive> hive(new RegfHive());
  hive->m_path = path;
  hive->m_size = static_cast<size_t>(st.st_size);
  s = ReadHeader(path, file.fd(), hive->m_size, &hive->m_header);
  if (!s.ok()) return s;
  // libhivex opens by name: it is given the file already opened and checked, so a file put
  // in the path's place since (a pipe that would block) is never read.
  std::string byDescriptor = "/proc/self/fd/" + std::to_string(file.fd());
  if (::access(byDescriptor.c_str(), R_OK) != 0) byDescriptor = path;
  hive->m_hive = hivex_open(byDescriptor.c_str(), 0);
  if (hive->m_hive == nullptr && errno != ENOENT && errno != EACCES) {
    hive->m_hive = hivex_open(byDescriptor.c_str(), HIVEX_OPEN_UNSAFE);
    hive->m_recovered = hive->m_hive != nullptr;
  }
  if (hive->m_hive == nullptr) {
    if (errno == ENOENT || errno == EACCES) return host::HostError(path, errno);
    return Status::Corruption(path + ": a damaged registry hive (its hive bins cannot be read)");
  }
  hive->m_root = hivex_root(hive->m_hive);
  if (hive->m_root == 0) {
    return Status::Corruption(path + ": a damaged registry hive (it has no root key)");
  }
  void* bytes = mmap(nullptr, hive->m_size, PROT_READ, MAP_SHARED, file.fd(), 0);
  if (bytes == MAP_FAILED) return host::HostError(path, errno);
  hive->m_bytes = static_cast<const unsigned char*>(bytes);
  *out = std::move(hive);
  return Status::Ok();
}

RegfHive::~RegfHive() {
  if (m_hive != nullptr) hivex_close(m_hive);
  if (m_bytes != nullptr) munmap(const_cast<unsigned char*>(m_bytes), m_size);
}

uint32_t RegfHive::U32(size_t at) const {
  return at + 4 <= m_size ? Le32(m_bytes + at) : 0;
}

uint16_t RegfHive::U16(size_t at) const {
  return at + 2 <= m_size ? static_cast<uint16_t>(m_bytes[at] | m_bytes[at + 1] << 8) : 0;
}

bool RegfHive::Cell(uint32_t rel, size_t* at, size_t* size) const {
  const size_t offset = kBinBase + rel;
  if (rel == 0xFFFFFFFF || offset + 8 > m_size) return false;
  const auto raw = static_cast<int32_t>(U32(offset));
  if (raw >= 0) return false;  // a free cell
  const size_t length = static_cast<size_t>(-static_cast<int64_t>(raw));
  if (length < 8 || offset + length > m_size) return false;
  *at = offset;
  *size = length;
  return true;
}

template <typename Visit>
bool RegfHive::ForEachLeafEntry(size_t list, Visit&& visit) const {
  size_t at = 0;
  size_t size = 0;
  if (!Cell(static_cast<uint32_t>(list - kBinBase), &at, &size)) return true;
  const unsigned char* id = m_bytes + at + 4;
  const size_t count = U16(at + 6);
  const bool hashed = id[0] == 'l' && id[1] == 'h';
  const bool hinted = id[0] == 'l' && id[1] == 'f';
  const bool plain = id[0] == 'l' && id[1] == 'i';
  if (!hashed && !hinted && !plain) return true;
  const size_t entry = plain ? 4 : 8;
  if (8 + count * entry > size) return true;  // a list longer than its cell is skipped
  for (size_t i = 0; i < count; ++i) {
    const size_t e = at + 8 + i * entry;
    if (!visit(kBinBase + U32(e), hashed ? U32(e + 4) : 0, hashed)) return false;
  }
  return true;
}

template <typename Visit>
void RegfHive::ForEachChild(size_t node, Visit&& visit) const {
  if (node + kKeyCellSize > m_size || U32(node + 0x18) == 0) return;
  size_t at = 0;
  size_t size = 0;
  if (!Cell(U32(node + 0x20), &at, &size)) return;
  const unsigned char* id = m_bytes + at + 4;
  if (!(id[0] == 'r' && id[1] == 'i')) {
    ForEachLeafEntry(at, visit);
    return;
  }
  const size_t count = U16(at + 6);
  if (8 + count * 4 > size) return;
  for (size_t i = 0; i < count; ++i) {
    // An ri list holds leaf lists only, so the walk is two levels deep at most.
    size_t leafAt = 0;
    size_t leafSize = 0;
    if (!Cell(U32(at + 8 + i * 4), &leafAt, &leafSize)) continue;
    if (m_bytes[leafAt + 4] == 'r') continue;
    if (!ForEachLeafEntry(leafAt, visit)) return;
  }
}

bool RegfHive::NodeName(size_t node, std::string* name) const {
  CString text(nullptr, &std::free);
  size_t length = 0;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    text.reset(hivex_node_name(m_hive, node));
    if (text) length = hivex_node_name_len(m_hive, node);
  }
  if (!text) return false;
  name->assign(text.get(), std::min(length, std::strlen(text.get())));
  return true;
}

size_t RegfHive::FindChild(size_t node, std::string_view name) const {
  const bool useHash = IsAscii(name);
  const uint32_t hash = useHash ? AsciiNameHash(name) : 0;
  size_t found = 0;
  std::string candidate;
  ForEachChild(node, [&](size_t child, uint32_t childHash, bool hashed) {
    if (useHash && hashed && childHash != hash) return true;
    if (NodeName(child, &candidate) && SameName(candidate, name)) {
      found = child;
      return false;
    }
    return true;
  });
  return found;
}

size_t RegfHive::FindNode(std::string_view path) const {
  size_t node = m_root;
  size_t start = 0;
  while (node != 0 && start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) node = FindChild(node, path.substr(start, end - start));
    start = end + 1;
  }
  return node;
}

std::vector<size_t> RegfHive::Children(size_t node) const {
  std::vector<size_t> children;
  ForEachChild(node, [&](size_t child, uint32_t, bool) {
    children.push_back(child);
    return true;
  });
  return children;
}

std::vector<NamedValue> RegfHive::ReadValues(size_t node, const std::string_view* name) const {
  std::vector<NamedValue> out;
  std::lock_guard<std::mutex> lock(m_mutex);
  std::unique_ptr<hive_value_h, decltype(&std::free)> values(hivex_node_values(m_hive, node),
                                                             &std::free);
  if (!values) return out;
  for (const hive_value_h* v = values.get(); *v != 0; ++v) {
    CString key(hivex_value_key(m_hive, *v), &std::free);
    if (!key) continue;
    const std::string valueName(key.get(),
                                std::min(hivex_value_key_len(m_hive, *v), std::strlen(key.get())));
    if (name != nullptr && !SameName(valueName, *name)) continue;
    // Stored types go beyond the names hive_type gives (str(4) and other custom types occur
    // in real hives), so the type is received as its underlying integer.
    std::underlying_type_t<hive_type> type = hive_t_none;
    auto* typeOut = reinterpret_cast<hive_type*>(&type);
    size_t length = 0;
    if (hivex_value_type(m_hive, *v, typeOut, &length) != 0) continue;
    std::string bytes;
    if (length > 0) {
      CString data(hivex_value_value(m_hive, *v, typeOut, &length), &std::free);
      if (!data) continue;
      bytes.assign(data.get(), length);
    }
    out.emplace_back(valueName, Value::FromStoredBytes(static_cast<uint32_t>(type), bytes));
    if (name != nullptr) break;
  }
  return out;
}

bool RegfHive::KeyExists(std::string_view path) const {
  return FindNode(path) != 0;
}

bool RegfHive::ReadValue(std::string_view path, std::string_view name, Value* value) const {
  const size_t node = FindNode(path);
  if (node == 0) return false;
  std::vector<NamedValue> found = ReadValues(node, &name);
  if (found.empty()) return false;
  *value = std::move(found.front().second);
  return true;
}

std::vector<NamedValue> RegfHive::Values(std::string_view path) const {
  const size_t node = FindNode(path);
  return node == 0 ? std::vector<NamedValue>{} : ReadValues(node, nullptr);
}

std::vector<std::string> RegfHive::SubkeyNames(std::string_view path) const {
  const size_t node = FindNode(path);
  std::vector<std::pair<std::string, std::string>> named;  // folded, as stored
  if (node != 0) {
    std::string name;
    for (size_t child : Children(node)) {
      if (NodeName(child, &name)) named.emplace_back(FoldName(name), name);
    }
  }
  std::sort(named.begin(), named.end());
  named.erase(std::unique(named.begin(), named.end(),
                          [](const auto& a, const auto& b) { return a.first == b.first; }),
              named.end());
  std::vector<std::string> names;
  names.reserve(named.size());
  for (auto& [folded, name] : named) names.push_back(std::move(name));
  return names;
}

}  // namespace qv::registry
