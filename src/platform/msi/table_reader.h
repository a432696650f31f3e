#pragma once
// Decodes a table stream (stored column after column) into a Table.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/base/status.h"
#include "platform/msi/table.h"

namespace qv::msi {

/// Finds the stream of a binary cell by its name ("Table.Key1.Key2"); returns the directory
/// entry plus one, or 0 when there is no such stream.
using StreamLookup = std::function<uint32_t(const std::string& streamName)>;

/// Fills table (already holding its columns) from the stream's bytes. String ids must exist in
/// the pool; a stream whose size is not a whole number of rows keeps its whole rows.
Status ReadTableStream(std::string_view stream, const StringPool& pool,
                       const StreamLookup& findStream, Table* table);

}  // namespace qv::msi
