// The layout of parsed rich text (the runs and fonts of tqvParseRTF) for a column of a
// given width: paragraphs laid out with Pango (fonts, sizes, styles, colours, alignment,
// first-line and left indents, left and right tab stops), inline images, boxes, page
// breaks, hot spots with their rectangles, markers and the position of every run. Code
// page 1252 text is turned into UTF-8 with the offsets kept, so hot spots and markers
// land on their characters. Laid out once; drawn and hit-tested as often as needed.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "values/handle.h"

struct tqvRichTextStyle {
  tqvHandle font;               // the base font (nil: Times New Roman 12)
  TQVINT textColour = 0;        // 0x00BBGGRR
  TQVINT hotColour = 0xA04010;  // hot-spot text (a deep blue)
  TQVINT boxColour = 0xE8F0F4;  // behind boxed paragraphs
  TQVINT boxEdgeColour = 0xB8C8D0;
  TQVINT hitColour = 0x80F0FF;        // behind struck text (search hits)
  TQVINT highlightColour = 0xFFE8D8;  // behind the hot spot under the mouse
  tqvHandle images;                   // image name -> image, or (list name width height)
  bool showImages = true;             // false: pictures take no room and are not drawn
  size_t largestText = 4 << 20;       // characters laid out at most; the rest is cut with a note
};

class tqvRichTextLayout {
 public:
  struct HotSpot {
    std::string label;                         // code page 1252
    tqvHandle target;                          // string, or nil
    TQVINT kind = 0;                           // the run kind (12, 13, 17, 21)
    TQVINT run = 0;                            // its position in the runs
    std::vector<std::array<double, 4>> boxes;  // left, top, right, bottom in the column
  };

  // Lays out `runs` with `fonts` in a column `width` pixels wide; pages are `pageHeight`
  // pixels high (0: one page).
  tqvRichTextLayout(const tqvHandle& runs, const tqvHandle& fonts, TQVINT width, TQVINT pageHeight,
                    const tqvRichTextStyle& style);
  ~tqvRichTextLayout();
  tqvRichTextLayout(const tqvRichTextLayout&) = delete;
  tqvRichTextLayout& operator=(const tqvRichTextLayout&) = delete;

  TQVINT width() const { return width_; }
  // Paragraphs are laid out on demand, in order: drawing, hit tests and the look-ups
  // below lay out as far down as they reach. The height is exact once everything is
  // laid out, and estimated for the rest until then.
  TQVINT height() const { return height_; }
  bool complete() const { return laidOut_ == paragraphs_.size(); }
  void layOutAll() const;
  // Lays out the paragraphs that begin above column y `y`.
  void layOutTo(double y) const;
  // The top of each page (the first is 0); lays out everything.
  const std::vector<TQVINT>& pages() const;
  // Every hot spot in text order; the boxes of those not yet laid out are empty.
  const std::vector<HotSpot>& hotSpots() const { return hotSpots_; }
  // The top of a marker's line, or -1 when the text has no such marker.
  TQVINT markerY(std::string_view name) const;
  // The top of the line that shows run `run`, or -1.
  TQVINT runY(TQVINT run) const;
  // The height of a line of the base font.
  TQVINT lineHeight() const { return lineHeight_; }
  // The hot spot at a point of the column, or null.
  const HotSpot* hotSpotAt(double x, double y) const;
  // The text of the runs without formats: paragraphs end in a line feed (code page 1252).
  const std::string& plainText() const { return plain_; }
  // Whether the text was longer than what is laid out.
  bool cut() const { return cut_; }

  // Draws the column with its point (0, top) at (x, y) of `cr`, and the hot spot
  // `highlighted` (or none) marked. Only paragraphs inside the clip of `cr` are drawn.
  void draw(cairo_t* cr, double x, double y, TQVINT top, const HotSpot* highlighted) const;
  const tqvRichTextStyle& style() const { return style_; }

 private:
  struct Paragraph;
  class Builder;
  struct RunPlace {
    TQVINT run, paragraph, index;  // the byte index in the paragraph's text
  };

  TQVINT topOf(size_t paragraph) const;
  // Places the paragraphs from `from` on below those before them.
  void place(size_t from) const;
  void layOutNext() const;
  void layOutThrough(size_t paragraph) const;
  void paginate() const;
  // The top of the line holding byte `index` of a paragraph.
  TQVINT yOf(TQVINT paragraph, TQVINT index) const;

  tqvRichTextStyle style_;
  TQVINT width_;
  TQVINT pageHeight_;
  TQVINT lineHeight_ = 16;
  double characterWidth_ = 7;
  // What laying out on demand fills in.
  mutable std::vector<std::unique_ptr<Paragraph>> paragraphs_;
  mutable size_t laidOut_ = 0;
  mutable TQVINT height_ = 0;
  mutable std::vector<TQVINT> pages_;
  mutable bool pagesReady_ = false;
  mutable std::vector<HotSpot> hotSpots_;
  std::vector<std::pair<std::string, std::pair<TQVINT, TQVINT>>> markers_;  // paragraph, byte
  std::vector<RunPlace> runs_;                                              // in run order
  std::string plain_;
  bool cut_ = false;
  PangoContext* context_ = nullptr;
};
