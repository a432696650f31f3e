#pragma once
// The two display forms of the file list: file names in title case and file times as the
// list shows them.

#include <string>

namespace qv {

/// The name lower-cased, then each letter a-z that starts a word upper-cased. Words start after
/// the file-key marker "#", a blank, "\", ".", "(", ")" and "/", and at the beginning: SETUP.MSI
/// is Setup.Msi, "my app (x86).msi" is "My App (X86).Msi"; a digit starts a word but is no
/// letter, so "1abc" stays "1abc".
std::string TitleCaseName(const std::string& name);

/// A file record's stamp (8 date digits, then hhmmss) as "hh:mm:ss" and the date in the user's
/// short format, time first: "13:05:09 1/31/2024". "" for an empty stamp or one whose date is
/// "00000000".
std::string FormatFileDateTime(const std::string& stamp);

}  // namespace qv
