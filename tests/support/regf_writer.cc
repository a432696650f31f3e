#include "support/regf_writer.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <unordered_map>

#include "platform/base/little_endian.h"
#include "platform/registry/name_compare.h"
#include "platform/registry/text_codec.h"
#include "support/le_bytes.h"

namespace qv::test {
namespace {

constexpr uint32_t kBinBase = 0x1000;
constexpr uint32_t kBinSize = 0x1000;
constexpr uint32_t kBinHeader = 0x20;
constexpr uint32_t kNone = 0xFFFFFFFF;
// A self-relative security descriptor with no owner, group or lists: a null DACL.
constexpr unsigned char kDescriptor[20] = {1, 0, 0x04, 0x80};

// A name as a record stores it: 8-bit when it is ASCII (flag set), else UTF-16LE.
std::string StoredName(const std::string& name, bool* compressed) {
  *compressed = std::all_of(name.begin(), name.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return *compressed ? name : registry::Utf8ToUtf16Le(name);
}

uint32_t NameHash(const std::string& upper) {
  const std::string units = registry::Utf8ToUtf16Le(upper);
  uint32_t h = 0;
  for (size_t i = 0; i + 1 < units.size(); i += 2) {
    h = h * 37 + (static_cast<unsigned char>(units[i]) |
                  static_cast<uint32_t>(static_cast<unsigned char>(units[i + 1])) << 8);
  }
  return h;
}

uint32_t Checksum(const std::string& file) {
  uint32_t sum = 0;
  for (size_t at = 0; at < 0x1FC; at += 4) sum ^= ReadLe32(file.data() + at);
  return sum;
}

// Cells laid into hive bins one after another.
class CellSpace {
 public:
  explicit CellSpace(std::string* out) : m_out(out) {}

  // A zeroed cell of at least size bytes (size field included) marked in use; returns its file
  // offset.
  size_t Allocate(size_t size) {
    size = (size + 7) & ~size_t{7};
    if (m_binEnd == 0 || m_next + size > m_binEnd) StartBin(size);
    const size_t at = m_next;
    m_next += size;
    PutLe(m_out, at, static_cast<uint32_t>(-static_cast<int32_t>(size)));
    return at;
  }

  // Ends the last bin with a free cell over its rest.
  void Finish() {
    if (m_binEnd > m_next) PutLe(m_out, m_next, m_binEnd - m_next);
    m_next = m_binEnd;
  }

 private:
  void StartBin(size_t cellSize) {
    Finish();
    const size_t binSize = (kBinHeader + cellSize + kBinSize - 1) / kBinSize * kBinSize;
    const size_t at = m_out->size();
    m_out->resize(at + binSize, '\0');
    std::memcpy(&(*m_out)[at], "hbin", 4);
    PutLe(m_out, at + 4, at - kBinBase);
    PutLe(m_out, at + 8, binSize);
    m_next = at + kBinHeader;
    m_binEnd = at + binSize;
  }

  std::string* m_out;
  size_t m_next = 0;
  size_t m_binEnd = 0;
};

uint32_t Rel(size_t fileOffset) {
  return static_cast<uint32_t>(fileOffset - kBinBase);
}

}  // namespace

RegfWriter::RegfWriter(RegfLayout layout) : m_layout(layout) {
  m_nodes.push_back(Node{0, "ROOT", "ROOT", {}, {}});
}

uint32_t RegfWriter::AddKey(uint32_t parent, const std::string& name) {
  const auto index = static_cast<uint32_t>(m_nodes.size());
  m_nodes.push_back(Node{parent, name, registry::FoldName(name), {}, {}});
  m_nodes[parent].children.push_back(index);
  m_approximateSize += ((0x50 + name.size() + 7) & ~size_t{7}) + 8;
  return index;
}

void RegfWriter::AddValue(uint32_t key, const std::string& name, uint32_t type, std::string bytes) {
  m_approximateSize += ((0x18 + name.size() + 7) & ~size_t{7}) + 4;
  if (bytes.size() > 4) m_approximateSize += (4 + bytes.size() + 7) & ~size_t{7};
  m_nodes[key].values.push_back(Value{name, type, std::move(bytes)});
}

uint32_t RegfWriter::KeyAt(const std::string& path) {
  uint32_t key = kRoot;
  for (size_t start = 0, end; start < path.size(); start = end + 1) {
    end = std::min(path.find('\\', start), path.size());
    const std::string name = path.substr(start, end - start);
    const std::string upper = registry::FoldName(name);
    const auto& children = m_nodes[key].children;
    const auto found = std::find_if(children.begin(), children.end(),
                                    [&](uint32_t child) { return m_nodes[child].upper == upper; });
    if (!name.empty()) key = found != children.end() ? *found : AddKey(key, name);
  }
  return key;
}

std::string RegfWriter::Bytes() const {
  std::string out(kBinBase, '\0');
  CellSpace cells(&out);
  const size_t sk = cells.Allocate(4 + 20 + sizeof kDescriptor);
  std::memcpy(&out[sk + 4], "sk", 2);
  PutLe(&out, sk + 8, Rel(sk));
  PutLe(&out, sk + 12, Rel(sk));
  PutLe(&out, sk + 16, m_nodes.size());
  PutLe(&out, sk + 20, sizeof kDescriptor);
  std::memcpy(&out[sk + 24], kDescriptor, sizeof kDescriptor);

  // Key cells first, parents before children, so that every parent offset is known.
  std::vector<size_t> nk(m_nodes.size());
  for (size_t i = 0; i < m_nodes.size(); ++i) {
    const Node& node = m_nodes[i];
    bool compressed = false;
    const std::string name = StoredName(node.name, &compressed);
    const size_t at = cells.Allocate(0x50 + name.size());
    nk[i] = at;
    std::memcpy(&out[at + 4], "nk", 2);
    PutLe(&out, at + 6, (compressed ? 0x20 : 0) | (i == kRoot ? 0x0C : 0), 2);
    PutLe(&out, at + 20, i == kRoot ? kNone : Rel(nk[node.parent]));
    for (size_t none : {32, 36, 44, 52}) PutLe(&out, at + none, kNone);  // no lists or class
    PutLe(&out, at + 48, Rel(sk));
    PutLe(&out, at + 76, name.size(), 2);
    std::memcpy(&out[at + 80], name.data(), name.size());
  }

  for (size_t i = 0; i < m_nodes.size(); ++i) {
    const Node& node = m_nodes[i];
    if (!node.values.empty()) {
      std::vector<uint32_t> vks;
      for (const Value& v : node.values) {
        bool compressed = false;
        const std::string name = StoredName(v.name, &compressed);
        const size_t vk = cells.Allocate(0x18 + name.size());
        std::memcpy(&out[vk + 4], "vk", 2);
        PutLe(&out, vk + 6, name.size(), 2);
        const auto size = static_cast<uint32_t>(v.bytes.size());
        PutLe(&out, vk + 16, v.type);
        PutLe(&out, vk + 20, compressed && !name.empty() ? 1 : 0, 2);
        std::memcpy(&out[vk + 24], name.data(), name.size());
        if (size <= 4) {
          PutLe(&out, vk + 8, size | 0x80000000u);
          std::memcpy(&out[vk + 12], v.bytes.data(), size);
        } else {
          const size_t data = cells.Allocate(4 + size);
          std::memcpy(&out[data + 4], v.bytes.data(), size);
          PutLe(&out, vk + 8, size);
          PutLe(&out, vk + 12, Rel(data));
        }
        vks.push_back(Rel(vk));
      }
      const size_t list = cells.Allocate(4 + 4 * vks.size());
      for (size_t v = 0; v < vks.size(); ++v) PutLe(&out, list + 4 + 4 * v, vks[v]);
      PutLe(&out, nk[i] + 40, vks.size());
      PutLe(&out, nk[i] + 44, Rel(list));
    }
    if (node.children.empty()) continue;
    std::vector<uint32_t> sorted = node.children;
    std::sort(sorted.begin(), sorted.end(),
              [&](uint32_t a, uint32_t b) { return m_nodes[a].upper < m_nodes[b].upper; });
    std::vector<size_t> leaves;
    const size_t perLeaf = std::max<uint32_t>(1, m_layout.maxLeafEntries);
    for (size_t first = 0; first < sorted.size(); first += perLeaf) {
      const size_t count = std::min(perLeaf, sorted.size() - first);
      const size_t entry = m_layout.leaf == SubkeyList::kLi ? 4 : 8;  // li: offsets only
      const size_t leaf = cells.Allocate(8 + entry * count);
      const char* id = m_layout.leaf == SubkeyList::kLh   ? "lh"
                       : m_layout.leaf == SubkeyList::kLf ? "lf"
                                                          : "li";
      std::memcpy(&out[leaf + 4], id, 2);
      PutLe(&out, leaf + 6, count, 2);
      for (size_t e = 0; e < count; ++e) {
        const Node& child = m_nodes[sorted[first + e]];
        const size_t at = leaf + 8 + entry * e;
        PutLe(&out, at, Rel(nk[sorted[first + e]]));
        if (m_layout.leaf == SubkeyList::kLh) PutLe(&out, at + 4, NameHash(child.upper));
      }
      leaves.push_back(leaf);
    }
    size_t list = leaves.front();
    if (leaves.size() > 1) {
      list = cells.Allocate(8 + 4 * leaves.size());
      std::memcpy(&out[list + 4], "ri", 2);
      PutLe(&out, list + 6, leaves.size(), 2);
      for (size_t l = 0; l < leaves.size(); ++l) PutLe(&out, list + 8 + 4 * l, Rel(leaves[l]));
    }
    PutLe(&out, nk[i] + 24, node.children.size());
    PutLe(&out, nk[i] + 32, Rel(list));
  }
  cells.Finish();

  std::memcpy(&out[0], "regf", 4);
  PutLe(&out, 4, m_layout.primarySequence);
  PutLe(&out, 8, m_layout.secondarySequence);
  // Version 1.5, a primary file (0) in format 1, clustering factor 1.
  for (const auto& [at, v] : {std::pair{20, 1}, {24, 5}, {32, 1}, {44, 1}}) PutLe(&out, at, v);
  PutLe(&out, 36, Rel(nk[kRoot]));
  PutLe(&out, 40, out.size() - kBinBase);
  PutLe(&out, 0x1FC, Checksum(out));
  return out;
}

bool RegfWriter::Write(const std::string& path) const {
  const std::string bytes = Bytes();
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

void FixHiveChecksum(std::string* bytes) {
  PutLe(bytes, 0x1FC, Checksum(*bytes));
}

bool SetHiveSequenceNumbers(const std::string& path, uint32_t primary, uint32_t secondary) {
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  std::string header(0x200, '\0');
  if (!file.read(header.data(), static_cast<std::streamsize>(header.size()))) return false;
  PutLe(&header, 4, primary);
  PutLe(&header, 8, secondary);
  FixHiveChecksum(&header);
  file.seekp(0);
  file.write(header.data(), static_cast<std::streamsize>(header.size()));
  return static_cast<bool>(file);
}

}  // namespace qv::test
