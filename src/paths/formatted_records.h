#pragma once
// Installer records between their two spellings: with keys in square brackets ([#File],
// [!File], [$Component], [Directory], [Property]) and with full paths.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/msi/automation.h"

namespace qv {

/// The text with every bracketed key that resolves replaced by its path or value; keys that
/// do not resolve keep their brackets, unknown plain keys lose them.
std::string KeysToPaths(const std::shared_ptr<msi::Database>& database,
                        const std::string& packagePath, const std::string& text);
/// The order in which PathsToKeys looks a path up.
enum class PathsToKeysMode : int32_t {
  kFilesThenFolders = 2,  ///< a file's own key first, else the key of its folder
};

/// The text with every full path replaced by the key that produces it: a file's long path by
/// [#File], its short path by [!File], a path inside a listed folder by [Directory] and the
/// rest of the path. A text with paths comes back unchanged, and *translated (when given)
/// becomes false, when the package is empty or cannot be opened.
std::string PathsToKeys(const std::string& packagePath, const std::string& text,
                        PathsToKeysMode mode, bool* translated = nullptr);

}  // namespace qv
