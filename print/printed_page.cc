// The header, footer and picture of a printed page, and the one-page job of a section.
#include "print/printed_page.h"

#include <algorithm>
#include <cmath>

#include "framework/environment.h"
#include "framework/form_object.h"
#include "framework/perform.h"
#include "media/drawing_context.h"
#include "media/image.h"
#include "media/text_drawing.h"
#include "print/print_jobs.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"

namespace {

constexpr const char* kBrand = "Zazuzadov Lumbra 98 - ";
constexpr const char* kCopyright = "Copyright © 1998 Editora Lumbra. Todos os direitos reservados.";
constexpr double kMediaDotsPerInch = 96;

tqvHandle setting(const tqvHandle& section, std::string_view key) {
  if (section.is(TQV_TABLE_TYPE)) {
    tqvHandle value = tqvGet(section, tqvMakeString(key));
    if (!value.isNil()) return value;
  }
  return tqvGetEnvironment(key);
}

double number(const tqvHandle& value, double fallback) {
  if (value.is(TQV_INT_TYPE) || value.is(TQV_FLOAT_TYPE)) return tqvFloatValue(value);
  if (value.is(TQV_STRING_TYPE) && !tqvStringView(value).empty()) {
    return tqvLeadingFloat(tqvStringView(value));
  }
  return fallback;
}

// The font of a "PrintHeader" or "PrintFooter" group at the printer's scale.
tqvHandle printFont(const tqvHandle& section, const std::string& prefix, TQVINT size, TQVINT style,
                    double scale) {
  tqvHandle face = setting(section, prefix + "FontType");
  if (!face.is(TQV_STRING_TYPE)) face = tqvMakeString("Arial");
  double points = number(setting(section, prefix + "FontSize"), size);
  TQVINT bits = static_cast<TQVINT>(number(setting(section, prefix + "FontStyle"), style));
  return tqvMakeFont(face, std::max<TQVINT>(1, static_cast<TQVINT>(std::lround(points * scale))),
                     bits);
}

TQVINT lineHeight(const tqvHandle& font) {
  tqvTextExtent extent;
  return tqvMeasureText(tqvMakeString("Ág"), font, extent) ? extent.height : 0;
}

void rule(cairo_t* cr, const tqvPageFrame& frame, double y) {
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, std::max(1.0, frame.fontScale));
  cairo_move_to(cr, frame.marginX, y);
  cairo_line_to(cr, frame.pageWidth - frame.marginX, y);
  cairo_stroke(cr);
}

}  // namespace

tqvPrintRect tqvPageFrame::content() const {
  TQVINT gap = static_cast<TQVINT>(std::lround(8 * fontScale));
  return {marginX, marginY + headerHeight + gap, pageWidth - marginX,
          pageHeight - marginY - footerHeight - gap};
}

bool tqvReadPageFrame(const tqvHandle& section, tqvPageFrame& frame) {
  tqvPrintJobs& printer = tqvPrinter();
  frame.pageWidth = printer.pageWidth();
  if (frame.pageWidth < 0) return false;
  frame.pageHeight = printer.pageHeight();
  TQVINT dpiX = printer.resolutionX(), dpiY = printer.resolutionY();
  if (frame.pageHeight < 0 || dpiX < 0 || dpiY < 0) return false;
  double base = number(setting(section, "PrintBaseYDPI"), kMediaDotsPerInch);
  frame.fontScale = dpiY / (base > 0 ? base : kMediaDotsPerInch);
  frame.marginX =
      static_cast<TQVINT>(std::lround(number(setting(section, "PrintMarginX"), 0.75) * dpiX));
  frame.marginY =
      static_cast<TQVINT>(std::lround(number(setting(section, "PrintMarginY"), 0.75) * dpiY));
  frame.marginX = std::clamp<TQVINT>(frame.marginX, 0, frame.pageWidth / 4);
  frame.marginY = std::clamp<TQVINT>(frame.marginY, 0, frame.pageHeight / 4);
  frame.headerFont = printFont(section, "PrintHeader", 12, 2, frame.fontScale);
  frame.footerFont = printFont(section, "PrintFooter", 8, 0, frame.fontScale);
  frame.headerHeight = lineHeight(frame.headerFont);
  frame.footerHeight = lineHeight(frame.footerFont);
  return true;
}

void tqvDrawPageHeader(cairo_t* cr, const tqvPageFrame& frame, const tqvHandle& title) {
  tqvTextStyle style;
  style.font = frame.headerFont;
  std::string text = std::string(tqvStringView(tqvFromUtf8(kBrand)));
  if (title.is(TQV_STRING_TYPE)) text += tqvStringView(title);
  tqvDrawTextIn(cr, tqvMakeString(text), frame.marginX, frame.marginY,
                frame.pageWidth - frame.marginX, frame.marginY + frame.headerHeight,
                TQV_ALIGN_LEFT | TQV_ALIGN_SINGLE_LINE, style);
  rule(cr, frame, frame.marginY + frame.headerHeight + 2 * frame.fontScale);
}

void tqvDrawPageFooter(cairo_t* cr, const tqvPageFrame& frame, const tqvHandle& left,
                       const tqvHandle& pageText) {
  TQVINT top = frame.pageHeight - frame.marginY - frame.footerHeight;
  rule(cr, frame, top - 2 * frame.fontScale);
  tqvTextStyle style;
  style.font = frame.footerFont;
  TQVINT right = frame.pageWidth - frame.marginX;
  tqvDrawTextIn(cr, pageText, frame.marginX, top, right, top + frame.footerHeight,
                TQV_ALIGN_RIGHT | TQV_ALIGN_SINGLE_LINE, style);
  tqvTextExtent number;
  TQVINT numberWidth = tqvMeasureText(pageText, frame.footerFont, number) ? number.width : 0;
  tqvHandle notice = left.is(TQV_STRING_TYPE) ? left : tqvFromUtf8(kCopyright);
  tqvDrawTextIn(cr, notice, frame.marginX, top, right - numberWidth - frame.marginX / 4,
                top + frame.footerHeight, TQV_ALIGN_LEFT | TQV_ALIGN_SINGLE_LINE, style);
}

tqvHandle tqvPageNumberText(TQVINT number, TQVINT total) {
  std::string text = "Página " + std::to_string(number);
  if (total > 0) text += " de " + std::to_string(total);
  return tqvFromUtf8(text);
}

std::string tqvSectionJobName(tqvPrintingSection section) {
  switch (section) {
    case tqvPrintingSection::Atlas:
      return "LX98 - Mapa";
    case tqvPrintingSection::Media:
      return "LX98 - Midias";
    case tqvPrintingSection::Database:
      return "LX98 - Banco de Dados";
    case tqvPrintingSection::Infographics:
      break;
  }
  return tqvUtf8ToCp1252("LX99 - Infográfico");
}

tqvPrintRect tqvFitPicture(const tqvPrintRect& area, TQVINT pictureWidth, TQVINT pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || area.width() <= 0 || area.height() <= 0) {
    return {area.left, area.top, area.left, area.top};
  }
  double scale = double(area.width()) / pictureWidth;
  if (pictureHeight * scale > area.height()) scale = double(area.height()) / pictureHeight;
  auto w = static_cast<TQVINT>(std::lround(pictureWidth * scale));
  auto h = static_cast<TQVINT>(std::lround(pictureHeight * scale));
  TQVINT x = area.left + (area.width() - w) / 2, y = area.top + (area.height() - h) / 2;
  return {x, y, x + w, y + h};
}

void tqvShowPrintingNotice(const tqvHandle& form, bool shown) {
  tqvFormObject* object = tqvAsFormObject(form);
  if (object == nullptr) return;
  tqvHandle notice = object->findControl(tqvMakeString("Imprimindo"), tqvMakeString("Name"));
  if (!notice.isNil()) tqvPerform(notice, "Hidden", tqvMakeBoolean(!shown));
}

namespace {

void drawPicture(cairo_t* cr, const tqvPrintRect& area, const tqvHandle& image,
                 const tqvHandle& part) {
  tqvImageObject* picture = tqvAsImage(image);
  cairo_surface_t* pixels = picture != nullptr ? picture->pixels() : nullptr;
  if (pixels == nullptr) return;
  TQVINT left = 0, top = 0, right = picture->width(), bottom = picture->height();
  TQVINT l, t, r, b;
  if (tqvRegionEdges(part, l, t, r, b)) {
    left = std::clamp<TQVINT>(l, 0, right);
    top = std::clamp<TQVINT>(t, 0, bottom);
    right = std::clamp<TQVINT>(r, left, right);
    bottom = std::clamp<TQVINT>(b, top, bottom);
  }
  tqvPrintRect place = tqvFitPicture(area, right - left, bottom - top);
  if (place.width() <= 0 || place.height() <= 0) return;
  cairo_save(cr);
  cairo_rectangle(cr, place.left, place.top, place.width(), place.height());
  cairo_clip(cr);
  cairo_translate(cr, place.left, place.top);
  cairo_scale(cr, double(place.width()) / (right - left), double(place.height()) / (bottom - top));
  cairo_set_source_surface(cr, pixels, -left, -top);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace

bool tqvPrintPage(const tqvPrintedPage& page) {
  tqvShowPrintingNotice(page.form, true);
  tqvPrintJobs& printer = tqvPrinter();
  tqvPageFrame frame;
  bool printed = false;
  if (printer.startJob(page.jobName)) {
    printer.setDocumentTitle(page.title.is(TQV_STRING_TYPE) ? tqvStringView(page.title) : "");
    if (tqvReadPageFrame(page.section, frame) && printer.startPage()) {
      cairo_t* cr = cairo_create(tqvAsDrawingContext(printer.context())->cairoSurface());
      tqvDrawPageHeader(cr, frame, page.title);
      drawPicture(cr, frame.content(), page.image, setting(page.section, "PrintingRect"));
      tqvDrawPageFooter(cr, frame, tqvHandle(), tqvPageNumberText(1));
      cairo_destroy(cr);
      printed = printer.endPage() && printer.endJob();
    }
    if (printer.printing()) printer.abortJob();
  }
  tqvShowPrintingNotice(page.form, false);
  return printed;
}
