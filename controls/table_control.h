// "Table": a grid of cells, one row per item of "List" (each a list of cell values) under
// an optional header row ("Header": a list of titles, kept in place while the rows
// scroll). "Columns" gives the column widths (else the width is shared out evenly),
// "Alignments" each column's alignment (0 or "left", 1 or "center", 2 or "right"), and
// "BoxColor" the colour of the grid lines (none when absent). Rows are chosen, scrolled
// and reported as in a list box ("getSelection" is a row; its text is its first cell).
#pragma once

#include <vector>

#include "controls/list_control.h"

class tqvTableControl : public tqvListControl {
 public:
  explicit tqvTableControl(const tqvHandle& definition = tqvHandle())
      : tqvListControl(definition, "Table") {}
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // Adds "getRow" (data: a row position; its cells) and "getCell" (data: list of row and
  // column; the cell's value).
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  void draw() override;

  // The columns' left and right edges across the rows' area.
  std::vector<std::pair<TQVINT, TQVINT>> columns(TQVINT left, TQVINT right);

 protected:
  void drawItem(tqvPainter& painter, TQVINT index, TQVINT left, TQVINT top, TQVINT right,
                TQVINT bottom, bool selected) override;
  TQVINT headerHeight() override;

 private:
  TQVINT columnCount();
  TQVINT alignmentOf(TQVINT column);
  // Draws one row of cell values (or titles) across the rectangle.
  void drawCells(tqvPainter& painter, const tqvHandle& cells, TQVINT left, TQVINT top, TQVINT right,
                 TQVINT bottom, const tqvHandle& font, TQVINT ink);
};
