#pragma once
// Registry hive files in the binary "regf" format Windows keeps its hives in (SOFTWARE, SYSTEM,
// NTUSER.DAT), written at test time: an empty hive for libhivex to fill through its write API,
// or a whole tree at once where libhivex cannot build it (it rescans every sibling for each key
// it adds and keeps a key's subkeys in one list of at most 65,535, so keys with 100,000
// subkeys, as a large machine's component list has, are written here).
//
// The format facts it relies on:
// - Base block, 4096 bytes: "regf"; primary and secondary sequence numbers (equal when the hive
//   was written completely); last written time; major version 1, minor version (3 to 6); file
//   type 0 (primary); format 1; offset of the root key's cell; size of the hive bins data;
//   clustering factor 1; the file name (UTF-16LE, 64 bytes) at 0x30; and at 0x1FC the XOR of
//   the 127 double words before it.
// - Hive bins follow from 0x1000: "hbin", the bin's offset from 0x1000, its size (a multiple of
//   4096), then cells. Every offset stored in a record counts from 0x1000.
// - A cell: a 32-bit size, negative when the cell is in use, always a multiple of 8; the record
//   follows.
// - nk (key): flags (0x20 name stored as 8-bit characters, 0x04 root, 0x08 no delete), last
//   written time, parent, number of subkeys, subkey list, number of values, value list,
//   security (sk) cell, class name, largest subkey/value name and data sizes, the name.
// - Subkey lists, children sorted by upper-cased name: lh (offset and name hash, the hash
//   being h = h * 37 + upper-cased UTF-16 unit over the name), lf (offset and the name's first
//   four characters), li (offsets only), and ri (offsets of lh/lf/li lists, for long lists).
// - vk (value): name length, data size (top bit set: up to 4 bytes stored in place of the data
//   offset), data offset, type, flags (1: name stored as 8-bit characters), the name. A value
//   list is a cell of vk offsets.
// - sk (security): next and previous sk, reference count, descriptor size, descriptor.

#include <cstdint>
#include <string>
#include <vector>

namespace qv::test {

/// How a RegfWriter stores subkey lists.
enum class SubkeyList { kLh, kLf, kLi };

/// Layout choices of a written hive.
struct RegfLayout {
  SubkeyList leaf = SubkeyList::kLh;
  /// Keys with more subkeys than this get several lists under an ri list, as Windows writes
  /// long lists.
  uint32_t maxLeafEntries = 1000;
  /// Sequence numbers of the base block; different numbers mark a hive as not completely
  /// written (dirty).
  uint32_t primarySequence = 1;
  uint32_t secondarySequence = 1;
};

/// A hive built in memory and written as a regf file.
class RegfWriter {
 public:
  /// The root key.
  static constexpr uint32_t kRoot = 0;

  explicit RegfWriter(RegfLayout layout = {});

  /// Adds a subkey named name (UTF-8) under parent; returns the new key. Names are not checked
  /// for duplicates.
  uint32_t AddKey(uint32_t parent, const std::string& name);
  /// Adds a value to key with its stored bytes (texts as UTF-16LE with their NULs).
  void AddValue(uint32_t key, const std::string& name, uint32_t type, std::string bytes);
  /// The subkey of parent named name (any case), added when absent.
  uint32_t Key(uint32_t parent, const std::string& name);
  /// The key at a path of names separated by '\' below the root, added where absent.
  uint32_t KeyAt(const std::string& path);

  /// About the size the file will have, for callers that fill a hive up to a size.
  size_t ApproximateSize() const { return m_approximateSize; }

  /// The file's bytes.
  std::string Bytes() const;
  /// Writes the file; false when it cannot be written.
  bool Write(const std::string& path) const;

 private:
  struct Value {
    std::string name;
    uint32_t type = 0;
    std::string bytes;
  };
  struct Node {
    uint32_t parent = 0;
    std::string name;
    std::string upper;  // upper-cased name: the sort and lookup key
    std::vector<uint32_t> children;
    std::vector<Value> values;
  };
  RegfLayout m_layout;
  std::vector<Node> m_nodes;
  size_t m_approximateSize = 0x2000;
};

/// The bytes of an empty hive: one bin holding the root key (named "ROOT") and its security
/// cell; what libhivex needs to open a hive and add keys to it.
std::string EmptyHiveBytes();

/// Sets a hive file's sequence numbers (and fixes its checksum); different numbers make it
/// dirty. False when the file cannot be read or written.
bool SetHiveSequenceNumbers(const std::string& path, uint32_t primary, uint32_t secondary);

}  // namespace qv::test
