#pragma once
// Parses of SELECT statements shared between queries that differ only in their string
// literals: the file list asks "SELECT * FROM `Component` WHERE `Component` = '...'" once per
// file, and every such query after the first costs a scan of its text instead of a parse.

#include <string>
#include <string_view>

#include "platform/base/status.h"
#include "platform/msi/sql_parser.h"

namespace qv::msi {

/// Parses sql exactly as ParseSelect does (same statement, same errors), reusing the parse of
/// an earlier query of this thread with the same text but for the contents of its string
/// literals.
Status ParseSelectShared(std::string_view sql, SelectStatement* statement, std::string* badToken);

}  // namespace qv::msi
