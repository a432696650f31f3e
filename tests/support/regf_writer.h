#pragma once
// Registry hive files in the binary "regf" format of Windows' hives (SOFTWARE, SYSTEM,
// NTUSER.DAT), written at test time where libhivex cannot write them: the empty hive it starts
// from, the lf, li and ri subkey lists, and keys with more subkeys than it takes (a large
// machine's component list). The layout follows the facts in
// src/platform/registry/regf_hive.cc; a key's subkeys are sorted by upper-cased name.

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
  /// The key at a path of names separated by '\' below the root (any case), added where absent.
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

/// Sets the checksum in a hive's base block to what the block's other words give.
void FixHiveChecksum(std::string* bytes);

/// Sets a hive file's sequence numbers (and fixes its checksum); different numbers make it
/// dirty. False when the file cannot be read or written.
bool SetHiveSequenceNumbers(const std::string& path, uint32_t primary, uint32_t secondary);

}  // namespace qv::test
