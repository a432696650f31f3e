#include "listview/width_share.h"

#include <algorithm>

namespace qv {

std::vector<int32_t> ShareListWidth(int32_t listWidth, std::vector<int32_t> need,
                                    int32_t startColumn, bool skipEmpty) {
  const int64_t n = static_cast<int64_t>(need.size());
  if (n == 0) return {};
  int64_t share = listWidth / n;
  int64_t totalText = 0;
  for (int32_t width : need) {
    if (skipEmpty && width <= 0) continue;
    totalText += width - 200;
  }
  if (totalText == 0) return std::vector<int32_t>(need.size(), static_cast<int32_t>(share));

  need[0] += 200;
  std::vector<int64_t> widths(need.begin(), need.end());
  std::vector<size_t> working(need.size());
  for (size_t i = 0; i < working.size(); ++i) working[i] = i;
  // A start column past the last would divide by zero; it shares as the last one does.
  const int64_t divisor = std::max<int64_t>(n - startColumn + 1, 1);
  while (true) {
    int64_t budget = int64_t{listWidth} * n / divisor;
    std::vector<size_t> capped;
    for (size_t i : working) {
      widths[i] = need[i];
      if (need[i] > share) {
        widths[i] = share;
        capped.push_back(i);
      }
    }
    int64_t used = 0;
    for (int64_t width : widths) used += width;
    budget = std::max<int64_t>(budget - used, 0);
    working = std::move(capped);
    const int64_t grow = working.empty() ? 0 : budget / static_cast<int64_t>(working.size());
    share += grow;
    // A budget smaller than the capped columns cannot grow the share any more.
    if (budget <= 100 || working.empty() || grow == 0) break;
  }
  std::vector<int32_t> result(widths.size());
  for (size_t i = 0; i < widths.size(); ++i) {
    result[i] = static_cast<int32_t>(std::clamp<int64_t>(widths[i], INT32_MIN, INT32_MAX));
  }
  return result;
}

}  // namespace qv
