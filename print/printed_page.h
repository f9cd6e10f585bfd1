// The printed page of the almanac: a header ("Zazuzadov Lumbra 98 - " and a title, a line
// under it), the content in the printable area, and a footer (a line, the copyright notice
// and the page's number). Its settings come from the section's table, else from the
// environment: "PrintMarginX", "PrintMarginY" (inches), "PrintHeaderFontType", "...Size",
// "...Style", the same for "PrintFooter", and "PrintBaseYDPI": the resolution that font
// sizes are meant for (96, the media area's, by default), so a font keeps its size on
// paper when printer resolution / "PrintBaseYDPI" is 3.125 at 300 dots per inch.
#pragma once

#include <cairo.h>

#include <string>

#include "values/handle.h"

struct tqvPrintRect {
  TQVINT left = 0, top = 0, right = 0, bottom = 0;
  TQVINT width() const { return right - left; }
  TQVINT height() const { return bottom - top; }
  bool operator==(const tqvPrintRect&) const = default;
};

// What a page looks like, in printer pixels, for the chosen printer.
struct tqvPageFrame {
  TQVINT pageWidth = 0, pageHeight = 0;
  TQVINT marginX = 0, marginY = 0;
  tqvHandle headerFont, footerFont;  // scaled to the printer
  double fontScale = 1;              // printer pixels per media pixel
  TQVINT headerHeight = 0, footerHeight = 0;
  // Between the header's line and the footer's, inside the margins.
  tqvPrintRect content() const;
};

// Reads the frame's settings from `section` (a table, or nil) and the environment; false
// (after the printing error) when the printer cannot be asked.
bool tqvReadPageFrame(const tqvHandle& section, tqvPageFrame& frame);
// Draws the header: "Zazuzadov Lumbra 98 - " + title (code page 1252) and its line.
void tqvDrawPageHeader(cairo_t* cr, const tqvPageFrame& frame, const tqvHandle& title);
// Draws the footer: its line, `left` (the copyright notice when nil) and `pageText` at
// the right.
void tqvDrawPageFooter(cairo_t* cr, const tqvPageFrame& frame, const tqvHandle& left,
                       const tqvHandle& pageText);
// "Página " + number (code page 1252), with " de " + total when total > 0.
tqvHandle tqvPageNumberText(TQVINT number, TQVINT total = 0);

// Where a picture of that size goes in `area`: as wide as the area with its proportions
// kept, or as high when that would be too tall, centred.
tqvPrintRect tqvFitPicture(const tqvPrintRect& area, TQVINT pictureWidth, TQVINT pictureHeight);

// The sections that print a page, and their job names (code page 1252): "LX98 - Mapa",
// "LX98 - Midias", "LX98 - Banco de Dados", "LX99 - Infográfico".
enum class tqvPrintingSection { Atlas, Media, Database, Infographics };
std::string tqvSectionJobName(tqvPrintingSection section);

// One printed page of a section.
struct tqvPrintedPage {
  std::string jobName;  // "LX98 - Mapa", ... (code page 1252)
  tqvHandle title;      // after "Zazuzadov Lumbra 98 - "
  tqvHandle image;      // the picture
  tqvHandle section;    // the section's settings table; its "PrintingRect" picks a part
  tqvHandle form;       // the form whose "Imprimindo" control shows meanwhile (or nil)
};
// Prints the page as one job; true when it was printed.
bool tqvPrintPage(const tqvPrintedPage& page);

// Shows or hides a form's "Imprimindo" notice (nothing when the form has none).
void tqvShowPrintingNotice(const tqvHandle& form, bool shown);
