#pragma once
// The utility library's dates in the user's format (Dunardll.dll).

#include <cstdint>
#include <string>

namespace qv {

/// Writes a date given as 8 digits (YYYYMMDD; more digits may follow: hhmmss) in the user's
/// short date format into *dateBuffer, with a four-digit year ("1/31/2024" for en_US,
/// "31.01.2024" for de_DE), and, when hhmmss follows, the time of day in the user's format
/// with seconds into *timeBuffer (else ""). The user's locale is LC_ALL, LC_TIME or LANG, in
/// that order; none, "C" or "POSIX" means en_US. Each buffer holds at most 19 bytes (a buffer
/// of 20 with its NUL). Returns the date's length; 0 and empty buffers for a text that is not
/// a valid date.
int32_t DateToLocal(const std::string& date8, std::string* dateBuffer, std::string* timeBuffer);

/// The ICU locale id of the user's date and time format, as DateToLocal chooses it.
std::string UserTimeLocale();

}  // namespace qv
