#pragma once
// Text helpers of module Common_Bas for library buffers and paths. Paths are Windows paths of
// the current machine ('\' separators) or host paths starting with '/' ('/' separators).

#include <string>

namespace qv {

/// The text up to its first NUL (a library's output buffer made into text).
std::string TrimNul(const std::string& text);
/// The text after the last "\" (the whole path when it has none; "" when it ends with "\").
std::string NameOf(const std::string& path);
/// The path itself when it names an existing folder; otherwise the text before its last "\"
/// (a leading quotation mark dropped), or "" when it has no "\".
std::string FolderOf(const std::string& path);
/// Creates the folder and every missing folder above it, from the top down, never a drive
/// root; false only when the folder itself is still missing afterwards.
bool MakeFolderPath(const std::string& path);
/// Deletes the file if there is one (read-only too); true when no file is left at the path.
bool DeleteIfExists(const std::string& path);

/// The separator a path uses: '/' for a host path, '\' for a Windows path.
char SeparatorOf(const std::string& path);

}  // namespace qv
