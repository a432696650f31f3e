#include "platform/msi/compound_file.h"

#include <algorithm>
#include <cstring>

#include "platform/base/little_endian.h"

namespace qv::msi {
namespace {

constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr size_t kHeaderSize = 512;
constexpr size_t kEntrySize = 128;
constexpr unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

Status Corrupt(uint64_t offset, const std::string& what) {
  return Status::Corruption("compound file, byte " + std::to_string(offset) + ": " + what);
}

}  // namespace

Status CompoundFile::Open(std::string_view bytes) {
  m_bytes = bytes;
  if (bytes.size() < kHeaderSize) return Corrupt(bytes.size(), "file shorter than its header");
  if (std::memcmp(bytes.data(), kSignature, sizeof kSignature) != 0) {
    return Corrupt(0, "not a compound file");
  }
  const char* h = bytes.data();
  m_major = ReadLe16(h + 0x1A);
  const uint16_t shift = ReadLe16(h + 0x1E);
  if (!((m_major == 3 && shift == 9) || (m_major == 4 && shift == 12))) {
    return Corrupt(0x1A, "unsupported version " + std::to_string(m_major) + " with sector shift " +
                             std::to_string(shift));
  }
  if (ReadLe16(h + 0x20) != 6) return Corrupt(0x20, "unsupported mini sector shift");
  m_sectorSize = 1u << shift;
  m_miniSectorSize = 64;
  m_miniCutoff = ReadLe32(h + 0x38);
  // The header fills the first sector (version 4 pads it to 4096 bytes); a partial sector at
  // the end is not counted, so every sector read stays inside the file.
  const uint64_t whole = bytes.size() / m_sectorSize;
  m_sectorCount = static_cast<uint32_t>(std::min<uint64_t>(whole > 0 ? whole - 1 : 0, 0xFFFFFFF0));
  if (Status s = LoadFat(); !s.ok()) return s;
  if (Status s = LoadDirectory(); !s.ok()) return s;
  return LoadMiniStream();
}

Status CompoundFile::LoadFat() {
  const char* h = m_bytes.data();
  const uint32_t fatSectors = ReadLe32(h + 0x2C);
  const uint32_t perSector = m_sectorSize / 4;
  if (fatSectors > m_sectorCount) return Corrupt(0x2C, "more FAT sectors than the file holds");
  std::vector<uint32_t> fatList;
  for (uint32_t i = 0; i < 109 && fatList.size() < fatSectors; ++i) {
    fatList.push_back(ReadLe32(h + 0x4C + 4 * i));
  }
  uint32_t difat = ReadLe32(h + 0x44);
  uint32_t steps = 0;
  while (fatList.size() < fatSectors) {
    if (difat >= m_sectorCount || ++steps > m_sectorCount) {
      return Corrupt(0x44, "DIFAT chain broken at sector " + std::to_string(difat));
    }
    const uint64_t off = (static_cast<uint64_t>(difat) + 1) * m_sectorSize;
    const char* p = m_bytes.data() + off;
    for (uint32_t i = 0; i + 1 < perSector && fatList.size() < fatSectors; ++i) {
      fatList.push_back(ReadLe32(p + 4 * i));
    }
    difat = ReadLe32(p + 4 * (perSector - 1));
  }
  m_fat.clear();
  m_fat.reserve(static_cast<size_t>(fatSectors) * perSector);
  for (uint32_t sector : fatList) {
    if (sector >= m_sectorCount) {
      return Corrupt(0x4C, "FAT sector " + std::to_string(sector) + " past the end of the file");
    }
    const char* p = m_bytes.data() + (static_cast<uint64_t>(sector) + 1) * m_sectorSize;
    for (uint32_t i = 0; i < perSector; ++i) m_fat.push_back(ReadLe32(p + 4 * i));
  }
  return Status::Ok();
}

Status CompoundFile::ReadChain(uint32_t start, uint64_t size, std::string* out,
                               const char* what) const {
  out->clear();
  const uint64_t maxBytes = static_cast<uint64_t>(m_sectorCount) * m_sectorSize;
  if (size > maxBytes) {
    return Corrupt(
        0, std::string(what) + " of " + std::to_string(size) + " bytes is larger than the file");
  }
  out->reserve(size);
  uint32_t sector = start;
  std::vector<bool> visited(m_sectorCount, false);
  while (out->size() < size) {
    if (sector == kEndOfChain || sector >= m_sectorCount || sector >= m_fat.size()) {
      return Corrupt(0, std::string(what) + ": chain ends at sector " + std::to_string(sector) +
                            " after " + std::to_string(out->size()) + " of " +
                            std::to_string(size) + " bytes");
    }
    if (visited[sector]) {
      return Corrupt(0, std::string(what) + ": chain loops at sector " + std::to_string(sector));
    }
    visited[sector] = true;
    const uint64_t off = (static_cast<uint64_t>(sector) + 1) * m_sectorSize;
    const uint64_t take = std::min<uint64_t>(m_sectorSize, size - out->size());
    out->append(m_bytes.data() + off, take);
    sector = m_fat[sector];
  }
  return Status::Ok();
}

Status CompoundFile::LoadDirectory() {
  const uint32_t first = ReadLe32(m_bytes.data() + 0x30);
  // The directory has no size of its own: follow its chain to the end, bounded by the file.
  std::string dir;
  uint32_t sector = first;
  std::vector<bool> visited(m_sectorCount, false);
  while (sector != kEndOfChain) {
    if (sector >= m_sectorCount || sector >= m_fat.size()) {
      return Corrupt(0x30, "directory chain broken at sector " + std::to_string(sector));
    }
    if (visited[sector]) return Corrupt(0x30, "directory chain loops");
    visited[sector] = true;
    dir.append(m_bytes.data() + (static_cast<uint64_t>(sector) + 1) * m_sectorSize, m_sectorSize);
    sector = m_fat[sector];
  }
  if (dir.size() < kEntrySize) return Corrupt(0x30, "empty directory");
  m_entries.clear();
  m_entries.reserve(dir.size() / kEntrySize);
  for (size_t off = 0; off + kEntrySize <= dir.size(); off += kEntrySize) {
    const char* p = dir.data() + off;
    DirectoryEntry e;
    uint16_t nameBytes = ReadLe16(p + 64);
    if (nameBytes > 64) nameBytes = 64;
    for (uint16_t i = 0; i + 1 < nameBytes; i += 2) {
      char16_t c = static_cast<char16_t>(ReadLe16(p + i));
      if (c == 0) break;
      e.name.push_back(c);
    }
    e.type = static_cast<EntryType>(static_cast<uint8_t>(p[66]));
    e.left = ReadLe32(p + 68);
    e.right = ReadLe32(p + 72);
    e.child = ReadLe32(p + 76);
    std::memcpy(e.clsid.data(), p + 80, 16);
    e.startSector = ReadLe32(p + 116);
    e.size = ReadLe32(p + 120);
    if (m_major == 4) e.size |= static_cast<uint64_t>(ReadLe32(p + 124)) << 32;
    m_entries.push_back(std::move(e));
  }
  if (m_entries[0].type != EntryType::kRoot) return Corrupt(0x30, "first entry is not the root");
  return Status::Ok();
}

Status CompoundFile::LoadMiniStream() {
  const char* h = m_bytes.data();
  const uint32_t miniFatStart = ReadLe32(h + 0x3C);
  const uint32_t miniFatSectors = ReadLe32(h + 0x40);
  m_miniFat.clear();
  if (miniFatSectors > 0 && miniFatStart != kEndOfChain) {
    if (miniFatSectors > m_sectorCount) return Corrupt(0x40, "mini FAT larger than the file");
    std::string raw;
    Status s = ReadChain(miniFatStart, static_cast<uint64_t>(miniFatSectors) * m_sectorSize, &raw,
                         "mini FAT");
    if (!s.ok()) return s;
    m_miniFat.resize(raw.size() / 4);
    for (size_t i = 0; i < m_miniFat.size(); ++i) m_miniFat[i] = ReadLe32(raw.data() + 4 * i);
  }
  const DirectoryEntry& root = m_entries[0];
  if (root.size == 0 || root.startSector == kEndOfChain) {
    m_miniStream.clear();
    return Status::Ok();
  }
  return ReadChain(root.startSector, root.size, &m_miniStream, "mini stream");
}

Status CompoundFile::ReadMiniChain(uint32_t start, uint64_t size, std::string* out) const {
  out->clear();
  if (size > m_miniStream.size()) {
    return Corrupt(0,
                   "stream of " + std::to_string(size) + " bytes is larger than the mini stream");
  }
  out->reserve(size);
  uint32_t sector = start;
  std::vector<bool> visited(m_miniFat.size(), false);
  while (out->size() < size) {
    const uint64_t off = static_cast<uint64_t>(sector) * m_miniSectorSize;
    if (sector >= m_miniFat.size() || off >= m_miniStream.size()) {
      return Corrupt(0, "mini chain ends at mini sector " + std::to_string(sector));
    }
    if (visited[sector])
      return Corrupt(0, "mini chain loops at mini sector " + std::to_string(sector));
    visited[sector] = true;
    const uint64_t take = std::min<uint64_t>(
        {static_cast<uint64_t>(m_miniSectorSize), size - out->size(), m_miniStream.size() - off});
    out->append(m_miniStream.data() + off, take);
    sector = m_miniFat[sector];
  }
  return Status::Ok();
}

Status CompoundFile::ReadStream(uint32_t entry, std::string* out) const {
  if (entry >= m_entries.size())
    return Status::InvalidArgument("no directory entry " + std::to_string(entry));
  const DirectoryEntry& e = m_entries[entry];
  if (e.size == 0) {
    out->clear();
    return Status::Ok();
  }
  if (e.size < m_miniCutoff && entry != 0) return ReadMiniChain(e.startSector, e.size, out);
  return ReadChain(e.startSector, e.size, out, "stream");
}

Status CompoundFile::StreamView(uint32_t entry, std::string* scratch,
                                std::string_view* view) const {
  if (entry < m_entries.size() && entry != 0) {
    const DirectoryEntry& e = m_entries[entry];
    // A stream in consecutive regular sectors is read in place, without a copy.
    if (e.size >= m_miniCutoff && e.size <= static_cast<uint64_t>(m_sectorCount) * m_sectorSize) {
      const uint64_t sectors = (e.size + m_sectorSize - 1) / m_sectorSize;
      bool contiguous = e.startSector < m_sectorCount && e.startSector + sectors <= m_sectorCount;
      for (uint64_t i = 0; contiguous && i + 1 < sectors; ++i) {
        contiguous =
            m_fat.size() > e.startSector + i && m_fat[e.startSector + i] == e.startSector + i + 1;
      }
      if (contiguous) {
        *view = m_bytes.substr((static_cast<uint64_t>(e.startSector) + 1) * m_sectorSize, e.size);
        return Status::Ok();
      }
    }
  }
  Status s = ReadStream(entry, scratch);
  *view = s.ok() ? std::string_view(*scratch) : std::string_view();
  return s;
}

std::vector<uint32_t> CompoundFile::Children(uint32_t storage) const {
  std::vector<uint32_t> result;
  if (storage >= m_entries.size()) return result;
  // Walk the sibling tree without recursion; visiting each entry at most once stops loops.
  std::vector<bool> seen(m_entries.size(), false);
  std::vector<uint32_t> stack;
  uint32_t node = m_entries[storage].child;
  while (node != kNoStream || !stack.empty()) {
    while (node != kNoStream && node < m_entries.size() && !seen[node]) {
      seen[node] = true;
      stack.push_back(node);
      node = m_entries[node].left;
    }
    if (stack.empty()) break;
    node = stack.back();
    stack.pop_back();
    if (m_entries[node].type != EntryType::kUnused) result.push_back(node);
    node = m_entries[node].right;
  }
  return result;
}

}  // namespace qv::msi
