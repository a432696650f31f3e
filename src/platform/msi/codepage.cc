#include "platform/msi/codepage.h"

#include "platform/registry/text_codec.h"

#include <unicode/ucnv.h>

#include <vector>

namespace qv::msi {

struct CodepageConverter::Impl {
  UConverter* converter = nullptr;
  bool utf8 = false;
  std::vector<UChar> wide;
  ~Impl() {
    if (converter) ucnv_close(converter);
  }
};

CodepageConverter::CodepageConverter() : m_impl(std::make_unique<Impl>()) {}
CodepageConverter::~CodepageConverter() = default;

Status CodepageConverter::SetCodepage(int codepage) {
  if (m_impl->converter) ucnv_close(m_impl->converter);
  m_impl->converter = nullptr;
  m_impl->utf8 = codepage == 65001;
  if (m_impl->utf8) return Status::Ok();
  const int cp = codepage == 0 ? 1252 : codepage;
  const std::string name = "windows-" + std::to_string(cp);
  UErrorCode err = U_ZERO_ERROR;
  m_impl->converter = ucnv_open(name.c_str(), &err);
  if (U_FAILURE(err) || !m_impl->converter) {
    err = U_ZERO_ERROR;
    m_impl->converter = ucnv_open(("cp" + std::to_string(cp)).c_str(), &err);
  }
  if (U_FAILURE(err) || !m_impl->converter) {
    m_impl->converter = nullptr;
    return Status::NotSupported("codepage " + std::to_string(codepage));
  }
  return Status::Ok();
}

void CodepageConverter::AppendUtf8(std::string_view bytes, std::string* out) {
  bool ascii = true;
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii || m_impl->utf8 || !m_impl->converter) {
    out->append(bytes);
    return;
  }
  UErrorCode err = U_ZERO_ERROR;
  m_impl->wide.resize(bytes.size() * 2 + 2);
  ucnv_reset(m_impl->converter);
  const int32_t n = ucnv_toUChars(m_impl->converter, m_impl->wide.data(),
                                  static_cast<int32_t>(m_impl->wide.size()), bytes.data(),
                                  static_cast<int32_t>(bytes.size()), &err);
  if (U_FAILURE(err) && err != U_STRING_NOT_TERMINATED_WARNING) {
    out->append(bytes);
    return;
  }
  for (int32_t i = 0; i < n; ++i) {
    char32_t c = m_impl->wide[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < n) {
      c = 0x10000 + ((c - 0xD800) << 10) + (m_impl->wide[i + 1] - 0xDC00);
      ++i;
    }
    registry::AppendUtf8(c, out);
  }
}

}  // namespace qv::msi
