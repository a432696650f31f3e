#include "platform/msi/summary_info.h"

#include <utility>
#include <vector>

#include "platform/base/little_endian.h"
#include "platform/base/nul_text.h"
#include "platform/msi/codepage.h"

namespace qv::msi {
namespace {

constexpr uint32_t kTypeI2 = 2;
constexpr uint32_t kTypeI4 = 3;
constexpr uint32_t kTypeText = 30;
constexpr uint32_t kTypeFileTime = 64;

Status Bad(size_t at, const std::string& what) {
  return Status::Corruption("stream \x05SummaryInformation, byte " + std::to_string(at) + ": " +
                            what);
}

}  // namespace

Status SummaryInfo::Parse(std::string_view b) {
  m_properties.clear();
  if (b.size() < 48) return Bad(b.size(), "shorter than a property set header");
  if (static_cast<uint8_t>(b[0]) != 0xFE || static_cast<uint8_t>(b[1]) != 0xFF) {
    return Bad(0, "wrong byte order mark");
  }
  const uint32_t section = ReadLe32(b.data() + 44);
  if (section > b.size() || b.size() - section < 8) return Bad(44, "section outside the stream");
  const uint32_t count = ReadLe32(b.data() + section + 4);
  if (count > (b.size() - section - 8) / 8) return Bad(section + 4, "too many properties");

  struct Raw {
    uint32_t pid;
    size_t at;
  };
  std::vector<Raw> raws;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t entry = section + 8 + 8 * static_cast<size_t>(i);
    const uint64_t at = static_cast<uint64_t>(section) + ReadLe32(b.data() + entry + 4);
    if (at + 8 > b.size()) return Bad(entry + 4, "property outside the stream");
    raws.push_back({ReadLe32(b.data() + entry), static_cast<size_t>(at)});
  }
  // The codepage comes first so that texts can be converted whatever their order.
  int codepage = 1252;
  for (const Raw& r : raws) {
    if (r.pid == kPidCodepage && ReadLe32(b.data() + r.at) == kTypeI2) {
      codepage = static_cast<uint16_t>(ReadLe32(b.data() + r.at + 4));
    }
  }
  CodepageConverter converter;
  // An unknown codepage reads as Windows-1252, which ICU always has.
  if (!converter.SetCodepage(codepage).ok()) converter.SetCodepage(1252).IgnoreError();
  for (const Raw& r : raws) {
    SummaryValue v;
    const uint32_t type = ReadLe32(b.data() + r.at);
    if (type == kTypeI2) {
      v.integer = static_cast<int16_t>(ReadLe32(b.data() + r.at + 4) & 0xFFFF);
    } else if (type == kTypeI4) {
      v.integer = static_cast<int32_t>(ReadLe32(b.data() + r.at + 4));
    } else if (type == kTypeText) {
      const uint32_t length = ReadLe32(b.data() + r.at + 4);
      if (length > b.size() - r.at - 8) return Bad(r.at + 4, "text runs past the end");
      const std::string_view bytes = CutAtNul(b.substr(r.at + 8, length));
      v.kind = SummaryValue::Kind::kText;
      v.storedText = std::string(bytes);
      converter.AppendUtf8(bytes, &v.text);
    } else if (type == kTypeFileTime) {
      if (r.at + 12 > b.size()) return Bad(r.at, "time runs past the end");
      v.kind = SummaryValue::Kind::kFileTime;
      v.fileTime = ReadLe64(b.data() + r.at + 4);
    } else {
      continue;  // a type the installer does not write: skipped
    }
    m_properties[r.pid] = std::move(v);
  }
  return Status::Ok();
}

std::string SummaryInfo::Text(uint32_t pid) const {
  auto it = m_properties.find(pid);
  if (it == m_properties.end() || it->second.kind != SummaryValue::Kind::kText) return "";
  return it->second.text;
}

int32_t SummaryInfo::Integer(uint32_t pid, int32_t fallback) const {
  auto it = m_properties.find(pid);
  if (it == m_properties.end() || it->second.kind != SummaryValue::Kind::kInteger) {
    return fallback;
  }
  return it->second.integer;
}

}  // namespace qv::msi
