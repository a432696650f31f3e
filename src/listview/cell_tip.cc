#include "listview/cell_tip.h"

#include <QPointer>
#include <QString>

#include <algorithm>
#include <cmath>

#include "listview/ctooltip.h"
#include "listview/report_list.h"
#include "listview/text_width.h"
#include "listview/twips.h"

namespace qv {
namespace {

// The list the cell tip was last decided for: a row number means nothing on another list.
QPointer<ReportList>& TipList() {
  static QPointer<ReportList> list;
  return list;
}

}  // namespace

CTooltip& CellTip() {
  static CTooltip tip;
  return tip;
}

int32_t& LastTipItem() {
  static int32_t item = 0;
  return item;
}

std::string WrapTipText(const ReportList* list, const std::string& text, int32_t maxWidth,
                        bool breakAtBlanks) {
  int32_t width = 0;
  GetLvTextWidth(list, text, false, &width);
  if (maxWidth <= 0 || width < maxWidth) return text;
  // Characters, not bytes, so that no line ends inside a letter.
  const std::u32string all = QString::fromStdString(text).toStdU32String();
  const size_t length = all.size();
  const size_t lines = static_cast<size_t>(width / maxWidth) + 1;
  size_t chunk = length / lines + 1;
  std::u32string wrapped;
  size_t position = 0;
  while (position < length) {
    const size_t remaining = length - position;
    if (remaining < chunk) chunk = remaining + 1;
    std::u32string piece = all.substr(position, chunk);
    size_t consumed = piece.size();
    if (breakAtBlanks) {
      const size_t lead = std::min(piece.find_first_not_of(U' '), piece.size());
      piece.erase(0, lead);
      // The last line takes what is left; the others end before their last blank.
      const size_t blank = piece.rfind(U' ');
      if (position + consumed < length && blank != std::u32string::npos && blank > 0) {
        piece.resize(blank);
        consumed = lead + blank;
      }
      if (piece.empty() && position + consumed >= length) break;
    }
    wrapped += U'\r';
    wrapped += piece;
    position += consumed;
  }
  if (!wrapped.empty()) wrapped.erase(0, 1);
  return QString::fromStdU32String(wrapped).toStdString();
}

void ShowCellTip(ReportList* list, int32_t x, int32_t y, int32_t maxTipWidth) {
  if (list == nullptr) return;
  if (TipList() != list) {
    TipList() = list;
    LastTipItem() = 0;
  }
  const double twipsPerPixel = TwipsPerPixel(list);
  const QPoint point(static_cast<int>(std::floor(x / twipsPerPixel)),
                     static_cast<int>(std::floor(y / twipsPerPixel)));
  const QModelIndex index = list->indexAt(list->viewport()->mapFrom(list, point));
  const int32_t item = index.isValid() ? index.row() + 1 : 0;
  if (item == LastTipItem()) return;
  LastTipItem() = item;
  if (item == 0) {
    CellTip().Destroy();
    return;
  }
  const int32_t column = index.column() + 1;
  const std::string& text = list->CellText(index.row(), column);
  // The cell's own margins, and in the first column the item's indent as well.
  int32_t room = list->ColumnWidth(column) - 200;
  if (column == 1) room -= 300;
  int32_t width = 0;
  GetLvTextWidth(list, text, false, &width);
  if (width <= room) {
    CellTip().Destroy();
    return;
  }
  std::string tip = WrapTipText(list, text, maxTipWidth, true);
  std::replace(tip.begin(), tip.end(), '\t', ' ');
  CellTip().SetTitle("");
  CellTip().SetTipText(tip);
  CellTip().Create(list);
}

}  // namespace qv
