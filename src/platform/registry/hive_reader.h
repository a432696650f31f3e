#pragma once
// Reads hive files: Wine's registry files ("WINE REGISTRY Version 2") and regedit exports
// ("Windows Registry Editor Version 5.00" in UTF-16LE or UTF-8, "REGEDIT4").

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/status.h"
#include "platform/registry/hive.h"
#include "platform/registry/hive_grammar.h"
#include "platform/registry/text_hive.h"

namespace qv::registry {

/// Parses bytes (named fileName in messages) into *hive, adding to what it holds. Wine files
/// hold key paths relative to their root; regedit exports hold full paths ("HKEY_..\..").
/// A malformed line is skipped and reported (report may be empty), in line order; the rest
/// is kept. Fails only when the bytes are not a registry file at all. *format (optional) gets
/// the format.
Status ParseHive(std::string_view bytes, const std::string& fileName, Hive* hive,
                 const ProblemReporter& report, HiveFormat* format = nullptr);

/// The largest hive file the registry reads.
inline constexpr uint64_t kMaxHiveBytes = uint64_t{1} << 30;

/// Reads and parses a hive file, as ParseHive; when it cannot be read, the status of
/// host::ReadHostFile (no such file, not a regular file, permission denied, larger than 1 GiB).
Status ReadHiveFile(const std::string& path, Hive* hive, const ProblemReporter& report);

/// Reads a hive file and indexes it (TextHive): the way to load the large read-only hives of
/// a machine. Errors as ReadHiveFile; bad key lines go to report.
Status LoadHiveFile(const std::string& path, const ProblemReporter& report,
                    std::shared_ptr<const TextHive>* hive);

}  // namespace qv::registry
