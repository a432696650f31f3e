#pragma once
// A reader of compound files (structured storage, versions 3 and 4) held in memory.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/status.h"

namespace qv::msi {

/// Directory entry types of a compound file.
enum class EntryType : uint8_t { kUnused = 0, kStorage = 1, kStream = 2, kRoot = 5 };

/// One entry of a compound file's directory.
struct DirectoryEntry {
  std::u16string name;  ///< raw UTF-16 name as stored (MSI names are still compressed here)
  EntryType type = EntryType::kUnused;
  uint32_t left = 0xFFFFFFFF;
  uint32_t right = 0xFFFFFFFF;
  uint32_t child = 0xFFFFFFFF;
  std::array<uint8_t, 16> clsid{};
  uint32_t startSector = 0;
  uint64_t size = 0;
};

/// A parsed compound file over bytes that must remain live while the object is in use.
class CompoundFile {
 public:
  /// Parses header, DIFAT, FAT, mini FAT and directory; Corruption names the byte offset.
  Status Open(std::string_view bytes);
  /// Every directory entry; index 0 is the root.
  const std::vector<DirectoryEntry>& Entries() const { return m_entries; }
  /// Indexes of the entries directly below a storage (the root is 0), in tree order.
  std::vector<uint32_t> Children(uint32_t storage) const;
  /// Reads the whole stream of an entry; Corruption when its chain is broken or short.
  Status ReadStream(uint32_t entry, std::string* out) const;
  /// The stream's bytes as a view: into the file's bytes when its sectors follow one another,
  /// else into *scratch, which then holds a copy and must outlive the view.
  Status StreamView(uint32_t entry, std::string* scratch, std::string_view* view) const;

 private:
  Status ReadChain(uint32_t start, uint64_t size, std::string* out, const char* what) const;
  Status ReadMiniChain(uint32_t start, uint64_t size, std::string* out) const;
  Status LoadFat();
  Status LoadDirectory();
  Status LoadMiniStream();

  std::string_view m_bytes;
  uint32_t m_sectorSize = 512;
  uint32_t m_miniSectorSize = 64;
  uint32_t m_miniCutoff = 4096;
  uint32_t m_sectorCount = 0;  // whole sectors after the header
  uint16_t m_major = 3;
  std::vector<uint32_t> m_fat;
  std::vector<uint32_t> m_miniFat;
  std::vector<DirectoryEntry> m_entries;
  std::string m_miniStream;
};

}  // namespace qv::msi
