#pragma once
// Sharing a list's width among its columns by what their contents need. No Qt.

#include <cstdint>
#include <vector>

namespace qv {

/// Columns beyond this many keep their widths when a list's width is shared out.
inline constexpr int32_t kMaxFittedColumns = 100;

/// The widths, in twips, that share listWidth among columns needing need[i] (content width
/// + 200 each, 0 for an empty column when skipEmpty): every column gets listWidth \ N when
/// no column has content; otherwise the first column gets 200 more, and columns are given
/// what they need up to a share that grows by the budget left over (listWidth × N /
/// (N − startColumn + 1)) among the capped ones, until no more than 100 twips are left.
std::vector<int32_t> ShareListWidth(int32_t listWidth, std::vector<int32_t> need,
                                    int32_t startColumn, bool skipEmpty);

}  // namespace qv
