#include "platform/msi/string_pool.h"

#include "platform/base/little_endian.h"
#include "platform/msi/codepage.h"

namespace qv::msi {
Status StringPool::Load(std::string_view pool, std::string_view data) {
  m_converted.clear();
  m_text = std::string_view();
  m_offsets.assign(2, 0);
  m_codepage = 0;
  m_referenceSize = 2;
  if (pool.empty()) return Status::Ok();
  if (pool.size() < 4) {
    return Status::Corruption("stream _StringPool, byte 0: header shorter than 4 bytes");
  }
  const uint32_t header = ReadLe32(pool.data());
  m_codepage = static_cast<int>(header & 0x7FFFFFFF);
  m_referenceSize = (header & 0x80000000u) ? 3 : 2;

  const size_t entries = (pool.size() - 4) / 4;
  m_offsets.clear();
  m_offsets.reserve(entries + 2);
  m_offsets.push_back(0);  // start of id 0, the null string
  m_offsets.push_back(0);  // its end, the start of id 1
  bool ascii = true;
  for (char c : data) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  const bool inPlace = ascii || m_codepage == 65001;  // UTF-8 already: no copy needed
  CodepageConverter converter;
  if (!inPlace) {
    Status cp = converter.SetCodepage(m_codepage);
    if (!cp.ok()) return Status::NotSupported("stream _StringPool, byte 0: " + cp.message());
    m_converted.reserve(data.size() + data.size() / 4);
  }
  size_t dataPos = 0;
  for (size_t i = 0; i < entries; ++i) {
    const size_t at = 4 + 4 * i;
    uint64_t length = ReadLe16(pool.data() + at);
    const uint16_t refs = ReadLe16(pool.data() + at + 2);
    if (length == 0 && refs != 0) {
      // A long string: the next entry's four bytes hold the length; that entry has no id.
      if (i + 1 >= entries) {
        return Status::Corruption("stream _StringPool, byte " + std::to_string(at) +
                                  ": long string without its length entry");
      }
      ++i;
      length = ReadLe32(pool.data() + at + 4);
    }
    if (length > data.size() - dataPos) {
      return Status::Corruption("stream _StringPool, byte " + std::to_string(at) + ": string of " +
                                std::to_string(length) +
                                " bytes runs past the end of _StringData (" +
                                std::to_string(data.size()) + " bytes)");
    }
    if (!inPlace) converter.AppendUtf8(data.substr(dataPos, length), &m_converted);
    dataPos += length;
    const size_t end = inPlace ? dataPos : m_converted.size();
    if (end > 0xFFFFFFF0u) return Status::NotSupported("stream _StringData: larger than 4 GB");
    m_offsets.push_back(static_cast<uint32_t>(end));
  }
  m_text = inPlace ? data.substr(0, dataPos) : std::string_view(m_converted);
  return Status::Ok();
}

}  // namespace qv::msi
