#pragma once
// The string pool of an installer database (_StringPool and _StringData), in UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/status.h"

namespace qv::msi {

/// Every string of a database by id; id 0 is the null string.
class StringPool {
 public:
  /// Decodes the two streams and converts every string from the database codepage to UTF-8.
  /// When no string needs converting the pool keeps a view of data, which must then remain
  /// live while the pool is in use. Corruption names the stream and byte offset of the first
  /// entry that does not fit.
  Status Load(std::string_view pool, std::string_view data);
  /// The database codepage written in the pool header.
  int Codepage() const { return m_codepage; }
  /// Bytes of a string reference in table streams: 2, or 3 for large pools.
  int ReferenceSize() const { return m_referenceSize; }
  /// Number of ids, counting the null id 0.
  uint32_t Count() const { return static_cast<uint32_t>(m_offsets.size() - 1); }
  /// The string of an id, valid while the pool lives; "" for 0 and ids out of range.
  std::string_view Get(uint32_t id) const {
    if (id + 1 >= m_offsets.size()) return {};
    return m_text.substr(m_offsets[id], m_offsets[id + 1] - m_offsets[id]);
  }

 private:
  int m_codepage = 0;
  int m_referenceSize = 2;
  std::string m_converted;  // every string in UTF-8 when the codepage needed converting
  std::string_view m_text;  // every string in UTF-8, one after another
  std::vector<uint32_t> m_offsets{0, 0};  // id -> start in m_text; one more than the ids
};

}  // namespace qv::msi
