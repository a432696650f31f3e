#pragma once
// The summary information stream of a package (an OLE property set).

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/base/status.h"

namespace qv::msi {

/// Property ids of the summary information stream.
enum SummaryProperty : uint32_t {
  kPidCodepage = 1,
  kPidTitle = 2,
  kPidSubject = 3,
  kPidAuthor = 4,
  kPidKeywords = 5,
  kPidComments = 6,
  kPidTemplate = 7,
  kPidLastAuthor = 8,
  kPidRevision = 9,
  kPidCreateTime = 12,
  kPidLastSaveTime = 13,
  kPidPageCount = 14,
  kPidWordCount = 15,
  kPidAppName = 18,
  kPidSecurity = 19,
};

/// One property value: an integer, a text (UTF-8) or a FILETIME.
struct SummaryValue {
  enum class Kind { kInteger, kText, kFileTime };
  Kind kind = Kind::kInteger;
  int32_t integer = 0;
  std::string text;
  std::string storedText;  ///< a text's bytes as stored, before conversion (up to its NUL)
  uint64_t fileTime = 0;
};

/// The properties of a package's summary information.
class SummaryInfo {
 public:
  /// Parses the stream; texts are converted from the codepage property to UTF-8.
  Status Parse(std::string_view bytes);
  /// Every property read, by id.
  const std::map<uint32_t, SummaryValue>& Properties() const { return m_properties; }
  /// A text property ("" when absent or not text).
  std::string Text(uint32_t pid) const;
  /// An integer property (fallback when absent or not an integer).
  int32_t Integer(uint32_t pid, int32_t fallback = 0) const;
  /// The platform and languages ("Intel;1033").
  std::string Template() const { return Text(kPidTemplate); }
  /// The package code.
  std::string RevisionNumber() const { return Text(kPidRevision); }
  /// Source image flags: bit 0 short names, bit 1 compressed, bit 2 administrative image.
  int32_t WordCount() const { return Integer(kPidWordCount); }
  /// The codepage of the summary texts.
  int32_t Codepage() const { return Integer(kPidCodepage); }

 private:
  std::map<uint32_t, SummaryValue> m_properties;
};

}  // namespace qv::msi
