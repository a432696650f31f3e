#pragma once
// The tip that shows the full text of a list cell its column cuts off. There is one such tip
// in the program, deciding again only when the pointer reaches another row.

#include <cstdint>
#include <string>

namespace qv {

class CTooltip;
class ReportList;

/// The program's one cell tip.
CTooltip& CellTip();

/// The row number (row + 1) under the pointer when the cell tip was last decided; 0 for none.
int32_t& LastTipItem();

/// Decides the cell tip for the point x, y (twips, relative to the list): nothing changes
/// while the pointer stays on the row it was last decided for; off the rows the tip goes; a
/// cell whose text fits its column (less 200 twips, 500 for column 1) has no tip; a cut-off
/// cell's text, wrapped at maxTipWidth twips with tabs as blanks, becomes the tip's text.
void ShowCellTip(ReportList* list, int32_t x, int32_t y, int32_t maxTipWidth);

/// text cut into lines separated by CR when it is not narrower than maxWidth twips in the
/// list's font: width \ maxWidth + 1 lines of about equal length; with breakAtBlanks each
/// line starts after its leading blanks and ends before its last blank (when that is past
/// its first character), the rest going to the next line. The last line takes all that is
/// left.
std::string WrapTipText(const ReportList* list, const std::string& text, int32_t maxWidth,
                        bool breakAtBlanks);

}  // namespace qv
