// The table: columns, cells and the header row over a list box's rows.
#include "controls/table_control.h"

#include <algorithm>

#include "media/text_drawing.h"
#include "values/convert.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/text.h"

namespace {

constexpr TQVINT kCellInset = 4;
constexpr TQVINT kLargestColumnCount = 256;

}  // namespace

tqvHandle tqvTableControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvTableControl(definition));
}

TQVINT tqvTableControl::columnCount() {
  tqvHandle widthsHeld = property("Columns");
  if (tqvListObject* widths = tqvAsList(widthsHeld)) {
    return std::clamp<TQVINT>(widths->count(), 1, kLargestColumnCount);
  }
  tqvHandle headerHeld = property("Header");
  if (tqvListObject* header = tqvAsList(headerHeld)) {
    return std::clamp<TQVINT>(header->count(), 1, kLargestColumnCount);
  }
  tqvHandle firstHeld = item(top_);
  tqvListObject* first = tqvAsList(firstHeld);
  return first != nullptr ? std::clamp<TQVINT>(first->count(), 1, kLargestColumnCount) : 1;
}

std::vector<std::pair<TQVINT, TQVINT>> tqvTableControl::columns(TQVINT left, TQVINT right) {
  TQVINT n = columnCount();
  std::vector<std::pair<TQVINT, TQVINT>> edges;
  tqvHandle widthsHeld = property("Columns");
  tqvListObject* widths = tqvAsList(widthsHeld);
  TQVINT x = left;
  for (TQVINT c = 0; c < n && x < right; ++c) {
    TQVINT width = widths != nullptr ? std::max<TQVINT>(tqvNumberOf(widths->itemAt(c), 0), 0)
                                     : (right - left) / n;
    // The last column takes what is left.
    TQVINT end =
        c == n - 1 ? right : static_cast<TQVINT>(std::min<int64_t>(int64_t{x} + width, right));
    edges.emplace_back(x, end);
    x = end;
  }
  return edges;
}

TQVINT tqvTableControl::alignmentOf(TQVINT column) {
  tqvHandle held = property("Alignments");
  tqvListObject* alignments = tqvAsList(held);
  tqvHandle value = alignments != nullptr && column < alignments->count()
                        ? alignments->itemAt(column)
                        : tqvHandle();
  std::string_view word = tqvStringView(value);
  if (word == "center" || word == "centre") return TQV_ALIGN_CENTRE;
  if (word == "right") return TQV_ALIGN_RIGHT;
  TQVINT n = tqvNumberOf(value, 0);
  return n == 1 ? TQV_ALIGN_CENTRE : n == 2 ? TQV_ALIGN_RIGHT : TQV_ALIGN_LEFT;
}

void tqvTableControl::drawCells(tqvPainter& painter, const tqvHandle& cells, TQVINT left,
                                TQVINT top, TQVINT right, TQVINT bottom, const tqvHandle& font,
                                TQVINT ink) {
  tqvListObject* row = tqvAsList(cells);
  std::vector<std::pair<TQVINT, TQVINT>> edges = columns(left, right);
  for (size_t c = 0; c < edges.size(); ++c) {
    tqvHandle value = row != nullptr && static_cast<TQVINT>(c) < row->count()
                          ? row->itemAt(static_cast<TQVINT>(c))
                      : c == 0 && row == nullptr ? cells
                                                 : tqvHandle();
    if (value.isNil()) continue;
    tqvHandle text = value.is(TQV_STRING_TYPE) ? value : tqvToText(value, false);
    painter.text(text, edges[c].first + kCellInset, top, edges[c].second - kCellInset, bottom,
                 alignmentOf(static_cast<TQVINT>(c)) | TQV_ALIGN_MIDDLE | TQV_ALIGN_SINGLE_LINE,
                 font, ink);
  }
  tqvHandle box = property("BoxColor");
  if (box.is(TQV_INT_TYPE)) {
    for (size_t c = 1; c < edges.size(); ++c) {
      painter.fill(edges[c].first, top, edges[c].first + 1, bottom, box.intValue());
    }
    painter.fill(left, bottom - 1, right, bottom, box.intValue());
  }
}

void tqvTableControl::drawItem(tqvPainter& painter, TQVINT index, TQVINT left, TQVINT top,
                               TQVINT right, TQVINT bottom, bool selected) {
  TQVINT ink = tqvNumberOf(property("Foreground Color"), TQV_COLOUR_BLACK);
  if (selected) {
    painter.fill(left, top, right, bottom, tqvNumberOf(property("Selection Color"), 0xB06020));
    ink = tqvNumberOf(property("Selected Text Color"), TQV_COLOUR_WHITE);
  }
  if (!isEnabled()) ink = TQV_COLOUR_GREYED;
  drawCells(painter, item(index), left, top, right, bottom, fontProperty(), ink);
}

TQVINT tqvTableControl::headerHeight() {
  return property("Header").is(TQV_LIST_TYPE) ? rowHeight() : 0;
}

void tqvTableControl::draw() {
  tqvListControl::draw();
  tqvHandle header = property("Header");
  if (!header.is(TQV_LIST_TYPE) || hotSpotWidth() <= 2 || hotSpotHeight() <= 2) return;
  TQVINT left, top, right, bottom;
  rowsArea(left, top, right, bottom);
  TQVINT headerBottom = top;
  top = std::max(top - headerHeight(), hotSpotTop() + 1);
  tqvPainter painter;
  painter.fill(left, top, right, headerBottom, TQV_COLOUR_FACE);
  tqvHandle font = fontProperty();
  tqvFontObject* f = tqvAsFont(font);
  tqvHandle bold = f != nullptr ? tqvMakeFont(f->name(), f->size(), f->style() | 2) : tqvHandle();
  drawCells(painter, property("Header"), left, top, right, headerBottom, bold, TQV_COLOUR_BLACK);
  painter.fill(left, headerBottom - 1, right, headerBottom, TQV_COLOUR_EDGE);
}

tqvHandle tqvTableControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "getRow") return item(tqvNumberOf(data, -1));
  if (name == "getCell") {
    tqvListObject* at = tqvAsList(data);
    if (at == nullptr || at->count() < 2) return tqvHandle();
    tqvHandle rowHeld = item(tqvNumberOf(at->itemAt(0), -1));
    tqvListObject* row = tqvAsList(rowHeld);
    TQVINT column = tqvNumberOf(at->itemAt(1), -1);
    return row != nullptr && column >= 0 && column < row->count() ? row->itemAt(column)
                                                                  : tqvHandle();
  }
  return tqvListControl::perform(action, data);
}
