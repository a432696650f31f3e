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
/// The text with every full path replaced by the key that produces it: a file's long path by
/// [#File], its short path by [!File], a path inside a listed folder by [Directory] and the
/// rest of the path. Mode 2 (the only one): files first, then folders.
std::string PathsToKeys(const std::string& packagePath, const std::string& text, int32_t mode);

}  // namespace qv
