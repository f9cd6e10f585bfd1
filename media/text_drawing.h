// Text on cairo surfaces with Pango: font values become font descriptions ("Arial",
// "Times New Roman" and "Verdana" resolve through fontconfig to metric-compatible faces),
// strings in code page 1252 become UTF-8 at this boundary.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdint>
#include <vector>

#include "values/handle.h"

// Horizontal alignment in the low two bits (0 left, 1 centre, 2 right); further flags.
enum : TQVINT {
  TQV_ALIGN_LEFT = 0,
  TQV_ALIGN_CENTRE = 1,
  TQV_ALIGN_RIGHT = 2,
  TQV_ALIGN_MIDDLE = 4,        // centred vertically in the rectangle
  TQV_ALIGN_SINGLE_LINE = 32,  // no word wrapping
};

// Background modes of text drawing.
enum : TQVINT { TQV_BACKGROUND_TRANSPARENT = 1, TQV_BACKGROUND_OPAQUE = 2 };

struct tqvTextStyle {
  tqvHandle font;     // a font value; nil: the stock variable-pitch font
  TQVINT colour = 0;  // 0x00BBGGRR
  TQVINT backgroundMode = TQV_BACKGROUND_TRANSPARENT;
  TQVINT backgroundColour = 0xFFFFFF;  // 0x00BBGGRR, for the opaque mode
};

struct tqvTextExtent {
  TQVINT width = 0;
  TQVINT height = 0;
  TQVINT ascent = 0;
};

// A length in pixels in Pango's units. Lengths from content (a text region's width, an
// indent, a picture's size) may lie beyond what Pango can hold: they are held at its largest.
int tqvPangoUnits(int64_t pixels);

// Draws `text` wrapped (unless single-line) and aligned inside the rectangle, clipped to
// it. Returns the height used.
TQVINT tqvDrawTextIn(cairo_t* cr, const tqvHandle& text, TQVINT left, TQVINT top, TQVINT right,
                     TQVINT bottom, TQVINT alignment, const tqvTextStyle& style);
// Draws one line of text with its top-left corner at (x, y); returns its extent.
tqvTextExtent tqvDrawTextAt(cairo_t* cr, const tqvHandle& text, TQVINT x, TQVINT y,
                            const tqvTextStyle& style);
// The size of one line of text in the font; false when the text is not a string.
bool tqvMeasureText(const tqvHandle& text, const tqvHandle& font, tqvTextExtent& extent);
// The x offsets of the boundaries between the characters of one line of text (code page
// 1252, one byte a character) in the font: text length + 1 values, the first 0.
std::vector<double> tqvCharacterOffsets(const tqvHandle& text, const tqvHandle& font);
// The Pango description of a font value (nil: the stock font); the caller frees it.
PangoFontDescription* tqvDescribeFont(const tqvHandle& font);
// Sets a Pango context to the media area's resolution and the program's font options, so
// that texts laid out with it measure as drawn text does.
void tqvPreparePangoContext(PangoContext* context);
// True for a font value or nil (the stock font).
bool tqvIsUsableFont(const tqvHandle& font);

// 0x00BBGGRR to cairo's colour components.
void tqvSetCairoColour(cairo_t* cr, TQVINT colour);
