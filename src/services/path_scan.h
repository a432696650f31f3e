#pragma once
// The utility library's scanning of paths inside record texts (Dunardll.dll).

#include <cstdint>
#include <string>

namespace qv {

/// Position (1-based) of the first character at or after start that cannot belong to a path
/// written in a record text; 0 when the path runs to the end. Such characters are control
/// characters, those Windows forbids in names (" * < > ? |), '/' (a command-line switch
/// follows), the installer's formatting brackets [ and ], the list separator ';', and a ':'
/// anywhere but right after a drive letter at start. Blanks and commas belong to paths
/// ("Program Files", "Smith, J.doc"). The last argument (the program passes 0) is unused.
int32_t GetNextNonFileChar(int32_t start, const std::string& text, int32_t reserved);

/// How much of candidate the path text accounts for, both split at separator: -1 when every
/// part of both is equal (without regard to case when ignoreCase is non-zero, as the -1 the program
/// passes) and they have as many parts (a trailing separator makes no part); otherwise the count of
/// leading characters of candidate made of its parts equal to those of text, each with the
/// separator after it ("C:\App\" against "C:\App\Sub\" gives 7); 0 when the first part differs.
int32_t MatchStrings(const std::string& text, const std::string& candidate, int32_t ignoreCase,
                     const std::string& separator);

}  // namespace qv
