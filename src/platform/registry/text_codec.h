#pragma once
// UTF-8 and UTF-16LE conversions for hive files and registry data.

#include <string>
#include <string_view>

namespace qv::registry {

/// Decodes one UTF-8 sequence at *pos into *c and advances *pos; false (and *pos past one
/// byte) for an invalid sequence.
bool DecodeUtf8(std::string_view text, size_t* pos, char32_t* c);
/// Appends the UTF-8 form of c (U+FFFD for a value that is not a scalar value).
void AppendUtf8(char32_t c, std::string* out);
/// UTF-16LE bytes (an odd last byte ignored) as UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);
/// UTF-8 text as UTF-16LE bytes; invalid bytes become U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text);

}  // namespace qv::registry
