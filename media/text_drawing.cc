// Pango layouts for font values, drawing and measuring.
#include "media/text_drawing.h"

#include <algorithm>

#include <pango/pangocairo.h>

#include <string>

#include "values/cp1252.h"
#include "values/font.h"
#include "values/string.h"

namespace {

// Screen resolution of the media area: a 9-point font is 12 pixels high, as on the
// desktops the content was made for.
constexpr double kDotsPerInch = 96.0;
constexpr const char* kStockFace = "Arial";
constexpr int kStockSize = 8;
constexpr TQVINT kLargestSize = 400;  // points

}  // namespace

PangoFontDescription* tqvDescribeFont(const tqvHandle& font) {
  PangoFontDescription* d = pango_font_description_new();
  tqvFontObject* f = tqvAsFont(font);
  std::string face = f != nullptr && f->name().is(TQV_STRING_TYPE)
                         ? tqvCp1252ToUtf8(tqvStringView(f->name()))
                         : kStockFace;
  // Sizes come from content: beyond what any screen shows they are held at the largest.
  int size = f != nullptr && f->size() > 0 ? std::min<TQVINT>(f->size(), kLargestSize) : kStockSize;
  TQVINT style = f != nullptr ? f->style() : 0;
  pango_font_description_set_family(d, face.c_str());
  pango_font_description_set_size(d, size * PANGO_SCALE);
  pango_font_description_set_weight(d, (style & 2) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(d, (style & 1) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return d;
}

void tqvPreparePangoContext(PangoContext* context) {
  pango_cairo_context_set_resolution(context, kDotsPerInch);
  // Glyphs are hinted lightly and antialiased at the picture's own resolution, but their
  // advances are not rounded to its pixels: a text lays out (and wraps) alike at every
  // scale and when measured.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
}

namespace {

PangoLayout* makeLayout(cairo_t* cr, const tqvHandle& text, const tqvHandle& font) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  tqvPreparePangoContext(pango_layout_get_context(layout));
  pango_layout_context_changed(layout);
  PangoFontDescription* d = tqvDescribeFont(font);
  pango_layout_set_font_description(layout, d);
  pango_font_description_free(d);
  std::string utf8 = tqvCp1252ToUtf8(tqvStringView(text));
  pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
  tqvFontObject* f = tqvAsFont(font);
  TQVINT style = f != nullptr ? f->style() : 0;
  if (style & (4 | 8)) {
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(
        attributes,
        pango_attr_underline_new((style & 8) ? PANGO_UNDERLINE_DOUBLE : PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
  }
  return layout;
}

void paintLayout(cairo_t* cr, PangoLayout* layout, double x, double y, const tqvTextStyle& style) {
  if (style.backgroundMode == TQV_BACKGROUND_OPAQUE) {
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    tqvSetCairoColour(cr, style.backgroundColour);
    cairo_rectangle(cr, x + logical.x, y + logical.y, logical.width, logical.height);
    cairo_fill(cr);
  }
  tqvSetCairoColour(cr, style.colour);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout);
}

}  // namespace

void tqvSetCairoColour(cairo_t* cr, TQVINT colour) {
  auto c = static_cast<uint32_t>(colour);
  cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                       ((c >> 16) & 0xFF) / 255.0);
}

int tqvPangoUnits(int64_t pixels) {
  constexpr int64_t kLongest = INT32_MAX / PANGO_SCALE;
  return static_cast<int>(std::clamp<int64_t>(pixels, -kLongest, kLongest) * PANGO_SCALE);
}

bool tqvIsUsableFont(const tqvHandle& font) {
  return font.isNil() || font.is(TQV_FONT_TYPE);
}

TQVINT tqvDrawTextIn(cairo_t* cr, const tqvHandle& text, TQVINT left, TQVINT top, TQVINT right,
                     TQVINT bottom, TQVINT alignment, const tqvTextStyle& style) {
  if (!text.is(TQV_STRING_TYPE) || right <= left || bottom <= top) return 0;
  PangoLayout* layout = makeLayout(cr, text, style.font);
  int64_t width = int64_t{right} - left;
  if (!(alignment & TQV_ALIGN_SINGLE_LINE)) {
    pango_layout_set_width(layout, tqvPangoUnits(width));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  }
  switch (alignment & 3) {
    case TQV_ALIGN_CENTRE:
      pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
      break;
    case TQV_ALIGN_RIGHT:
      pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT);
      break;
    default:
      pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
      break;
  }
  int textWidth = 0, textHeight = 0;
  pango_layout_get_pixel_size(layout, &textWidth, &textHeight);
  double x = left;
  if (alignment & TQV_ALIGN_SINGLE_LINE) {
    // A single line is placed by hand: Pango aligns only within a set width.
    if ((alignment & 3) == TQV_ALIGN_CENTRE) x = left + (width - textWidth) / 2.0;
    if ((alignment & 3) == TQV_ALIGN_RIGHT) x = right - textWidth;
  }
  double y = top;
  if (alignment & TQV_ALIGN_MIDDLE) y = top + ((bottom - top) - textHeight) / 2.0;
  cairo_save(cr);
  cairo_rectangle(cr, left, top, right - left, bottom - top);
  cairo_clip(cr);
  paintLayout(cr, layout, x, y, style);
  cairo_restore(cr);
  g_object_unref(layout);
  return textHeight;
}

tqvTextExtent tqvDrawTextAt(cairo_t* cr, const tqvHandle& text, TQVINT x, TQVINT y,
                            const tqvTextStyle& style) {
  tqvTextExtent extent;
  if (!text.is(TQV_STRING_TYPE)) return extent;
  PangoLayout* layout = makeLayout(cr, text, style.font);
  pango_layout_get_pixel_size(layout, &extent.width, &extent.height);
  extent.ascent = pango_layout_get_baseline(layout) / PANGO_SCALE;
  paintLayout(cr, layout, x, y, style);
  g_object_unref(layout);
  return extent;
}

std::vector<double> tqvCharacterOffsets(const tqvHandle& text, const tqvHandle& font) {
  std::string_view bytes = tqvStringView(text);
  std::vector<double> offsets(bytes.size() + 1, 0.0);
  if (bytes.empty() || !tqvIsUsableFont(font)) return offsets;
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  PangoLayout* layout = makeLayout(cr, text, font);
  // Each code page 1252 byte is one character, of one to three bytes in UTF-8.
  int index = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    auto c = static_cast<unsigned char>(bytes[i]);
    index += c < 0x80 ? 1 : tqvCp1252ToUtf8(std::string_view(&bytes[i], 1)).size();
    PangoRectangle position;
    pango_layout_index_to_pos(layout, index, &position);
    offsets[i + 1] = static_cast<double>(position.x) / PANGO_SCALE;
  }
  g_object_unref(layout);
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  return offsets;
}

bool tqvMeasureText(const tqvHandle& text, const tqvHandle& font, tqvTextExtent& extent) {
  if (!text.is(TQV_STRING_TYPE) || !tqvIsUsableFont(font)) return false;
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  PangoLayout* layout = makeLayout(cr, text, font);
  pango_layout_get_pixel_size(layout, &extent.width, &extent.height);
  extent.ascent = pango_layout_get_baseline(layout) / PANGO_SCALE;
  g_object_unref(layout);
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  return true;
}
