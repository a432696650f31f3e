#pragma once
// The texts the file selection window shows: captions, prompts and messages.

namespace qv {

inline constexpr const char* kSelfilesCaption =
    "Display detailed selection list of files in directory for selection";
inline constexpr const char* kDriveCaption = "Directory Name/File Name";
inline constexpr const char* kBrowseForCaption = "Browse for";
inline constexpr const char* kGetDirCaption = "Directory";
inline constexpr const char* kCommdlgCaption = "File";
inline constexpr const char* kSelectCaption = "Return Selected File";
inline constexpr const char* kExitCaption = "Return with no File Selected";
inline constexpr const char* kHelpCaption = "Help";

/// The extension string used when the caller passes none.
inline constexpr const char* kDefaultMode = ".Msi";
/// The word the captions use for the files listed.
inline constexpr const char* kTypeLabel = "Msi";
/// The folder picker's prompt (two blanks after "Directory").
inline constexpr const char* kFolderPrompt = "Select Directory  for Msi files";
/// Added to the picker's title when files may be chosen too.
inline constexpr const char* kIncludeFilesPrompt =
    " to display detailed list or directly select files";

inline constexpr const char* kNothingSelectedMessage = "A File has not been selected";
inline constexpr const char* kErrorTitle = "Error";

}  // namespace qv
