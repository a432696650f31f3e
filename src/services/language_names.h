#pragma once
// The utility library's language names (Dunardll.dll), from Windows language ids.

#include <cstdint>
#include <string>

namespace qv {

/// The English name of a Windows language id, as ICU names its locale: 1033 is
/// "English (United States)", 1031 "German (Germany)", 1041 "Japanese (Japan)". 0 (the
/// installer's "any language") is "Language Neutral", as Windows calls it; an id Windows does
/// not know is "Unknown language" and the id. Returns the length written to *buffer, cut to
/// size - 1 bytes on a character boundary.
int32_t DecodeLanguageC(int32_t languageId, std::string* buffer, int32_t size);

/// The same for a package's language text: one id, or a comma-separated list of ids (as the
/// summary's template holds them), whose names are joined with "; " (names can hold commas:
/// "Chinese (Simplified, China)"). Blanks around ids are ignored; a text that is not a list of
/// numbers, and the empty text, give an empty name and 0.
int32_t DecodeLanguageC(const std::string& languageIds, std::string* buffer, int32_t size);

/// Cuts UTF-8 text to at most maxBytes bytes without splitting a character.
std::string CutUtf8(const std::string& text, size_t maxBytes);

}  // namespace qv
