#pragma once
// A hive file in the binary format Windows keeps its registry in (SOFTWARE, SYSTEM,
// NTUSER.DAT, UsrClass.dat), read in place and never written: libhivex opens it and checks its
// structure, and keys and values are read from the file when asked for, so opening a hive of
// hundreds of megabytes costs one pass over its bins.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/status.h"
#include "platform/registry/hive_source.h"

extern "C" {
struct hive_h;
}

namespace qv::registry {

/// What a hive file's base block says about it.
struct RegfHeader {
  uint32_t primarySequence = 0;
  uint32_t secondarySequence = 0;
  uint32_t majorVersion = 0;
  uint32_t minorVersion = 0;
  /// True when Windows did not finish writing the hive: the sequence numbers it sets before
  /// and after a write differ, and the newest changes are in its transaction logs (.LOG1,
  /// .LOG2), which are not replayed here.
  bool dirty() const { return primarySequence != secondarySequence; }
};

/// The keys of one regf hive file, read-only. Key paths are relative to the hive's root.
class RegfHive : public HiveSource {
 public:
  /// Opens the hive file at path for reading. NotFound "<path>: no such file"; Busy "<path>:
  /// locked by another program" when another process holds a write lock on it or the file
  /// system refuses it as in use (a share of a running Windows); IOError "<path>: cannot be
  /// read (<reason>)"; Corruption "<path>: not a registry hive file" when it does not start
  /// with "regf", "<path>: a damaged registry hive (<what>)" when its header or bins are
  /// broken beyond what libhivex can recover; NotSupported for a format version other than 1.
  /// A hive whose bins are damaged but readable with libhivex's recovery opens with
  /// recovered() set.
  static Status Open(const std::string& path, std::shared_ptr<const RegfHive>* hive);
  ~RegfHive() override;
  RegfHive(const RegfHive&) = delete;
  RegfHive& operator=(const RegfHive&) = delete;

  /// The host path it was opened from.
  const std::string& path() const { return m_path; }
  /// Its base block.
  const RegfHeader& header() const { return m_header; }
  /// True when its bins are damaged and it was opened with libhivex's recovery heuristics:
  /// keys in the damaged parts may be missing.
  bool recovered() const { return m_recovered; }

  bool KeyExists(std::string_view path) const override;
  bool ReadValue(std::string_view path, std::string_view name, Value* value) const override;
  std::vector<NamedValue> Values(std::string_view path) const override;
  std::vector<std::string> SubkeyNames(std::string_view path) const override;

 private:
  RegfHive() = default;
  // The key cell at path; 0 when absent.
  size_t FindNode(std::string_view path) const;
  // The child of node named name (any case); 0 when absent.
  size_t FindChild(size_t node, std::string_view name) const;
  // The key cells of node's subkeys, as its subkey lists hold them.
  std::vector<size_t> Children(size_t node) const;
  // Calls visit(child, hash) for each entry of node's subkey lists; hash is the entry's name
  // hash, or absent (false) when the list kind has none. Stops when visit returns false.
  template <typename Visit>
  void ForEachChild(size_t node, Visit&& visit) const;
  // Calls visit(child, hash, hasHash) for each entry of one lh/lf/li list; false to stop.
  template <typename Visit>
  bool ForEachLeafEntry(size_t list, Visit&& visit) const;
  // The name of a key cell; false when the cell is no valid key.
  bool NodeName(size_t node, std::string* name) const;
  // The values of a key cell in stored order, the one named name only when name is given.
  std::vector<NamedValue> ReadValues(size_t node, const std::string_view* name) const;
  // The 32-bit number at a file offset; 0 past the end.
  uint32_t U32(size_t at) const;
  uint16_t U16(size_t at) const;
  // The used cell at offset (from 0x1000) rel: its file offset and size, false when it lies
  // outside the file or is not in use.
  bool Cell(uint32_t rel, size_t* at, size_t* size) const;

  std::string m_path;
  RegfHeader m_header;
  bool m_recovered = false;
  hive_h* m_hive = nullptr;
  size_t m_root = 0;
  const unsigned char* m_bytes = nullptr;  // the file, mapped read-only
  size_t m_size = 0;
  mutable std::mutex m_mutex;  // around libhivex calls
};

}  // namespace qv::registry
