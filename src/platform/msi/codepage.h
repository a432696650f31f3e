#pragma once
// Text in an installer database's codepage, converted to UTF-8 with ICU.

#include <memory>
#include <string>
#include <string_view>

#include "platform/base/status.h"

namespace qv::msi {

/// Converts text of one Windows codepage to UTF-8; keeps its ICU converter open.
class CodepageConverter {
 public:
  CodepageConverter();
  ~CodepageConverter();
  CodepageConverter(const CodepageConverter&) = delete;
  CodepageConverter& operator=(const CodepageConverter&) = delete;
  /// Selects the codepage (0 means the neutral codepage, read as 1252); NotSupported when ICU
  /// knows no converter for it.
  Status SetCodepage(int codepage);
  /// Appends bytes converted to UTF-8; bytes the codepage cannot map become U+FFFD.
  void AppendUtf8(std::string_view bytes, std::string* out);

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace qv::msi
