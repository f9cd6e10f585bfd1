// The off-screen picture of the main window and its drawing operations.
#include "media/drawing_surface.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/app_window.h"
#include "framework/environment.h"
#include "framework/runtime.h"
#include "media/image.h"
#include "media/image_factory.h"
#include "media/palette.h"
#include "media/resources.h"
#include "values/error.h"
#include "values/region.h"
#include "values/string.h"
#include "values/text.h"

namespace {

struct Box {
  TQVINT left, top, right, bottom;
  bool empty() const { return right <= left || bottom <= top; }
};

Box clipTo(Box b, TQVINT width, TQVINT height) {
  return {std::max<TQVINT>(b.left, 0), std::max<TQVINT>(b.top, 0), std::min(b.right, width),
          std::min(b.bottom, height)};
}

constexpr TQVINT kLargestScale = 4;

// A black picture of the media area at `scale` device pixels per media pixel.
cairo_surface_t* makePicture(TQVINT width, TQVINT height, TQVINT scale) {
  cairo_surface_t* picture =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width * scale, height * scale);
  cairo_surface_set_device_scale(picture, scale, scale);
  return picture;
}

// The image for a name, or the value itself.
tqvHandle imageOf(const tqvHandle& imageOrName) {
  return imageOrName.is(TQV_STRING_TYPE) ? tqvResolve(imageOrName) : imageOrName;
}

}  // namespace

tqvDrawingSurface::tqvDrawingSurface(TQVINT width, TQVINT height, TQVINT scale)
    : width_(std::max<TQVINT>(width, 1)),
      height_(std::max<TQVINT>(height, 1)),
      scale_(std::clamp<TQVINT>(scale, 1, kLargestScale)),
      offscreen_(makePicture(width_, height_, scale_)) {}

tqvDrawingSurface::~tqvDrawingSurface() {
  cairo_surface_destroy(offscreen_);
}

cairo_surface_t* tqvDrawingSurface::cairoSurface() {
  tqvSurface* target = tqvAsSurface(target_);
  return target != nullptr ? target->cairoSurface() : offscreen_;
}

TQVINT tqvDrawingSurface::surfaceWidth() {
  tqvSurface* target = tqvAsSurface(target_);
  return target != nullptr ? target->surfaceWidth() : width_;
}

TQVINT tqvDrawingSurface::surfaceHeight() {
  tqvSurface* target = tqvAsSurface(target_);
  return target != nullptr ? target->surfaceHeight() : height_;
}

void tqvDrawingSurface::setTarget(const tqvHandle& context) {
  target_ = tqvAsSurface(context) != nullptr ? context : tqvHandle();
}

cairo_t* tqvDrawingSurface::begin() {
  return cairo_create(cairoSurface());
}

void tqvDrawingSurface::end(cairo_t* cr, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) {
  cairo_destroy(cr);
  cairo_surface_flush(cairoSurface());
  changed(left, top, right - left, bottom - top);
}

void tqvDrawingSurface::changed(TQVINT x, TQVINT y, TQVINT width, TQVINT height) {
  if (tqvSurface* target = tqvAsSurface(target_)) {
    target->changed(x, y, width, height);
    return;
  }
  cairo_surface_mark_dirty(offscreen_);
  if (!held_) copyToScreen(x, y, x + width, y + height);
}

void tqvDrawingSurface::copyToScreen(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) {
  tqvAppWindow* window = tqvMainWindow();
  if (window == nullptr) return;
  tqvPlatform::Picture screen = window->picture();
  // A screen of another scale is about to be drawn anew at its own.
  if (screen.pixels == nullptr || screen.scale != scale_) return;
  Box b = clipTo({left, top, right, bottom}, width_, height_);
  if (b.empty()) return;
  b = clipTo({b.left * scale_, b.top * scale_, b.right * scale_, b.bottom * scale_},
             std::min(width_ * scale_, screen.width), std::min(height_ * scale_, screen.height));
  if (b.empty()) return;
  cairo_surface_flush(offscreen_);
  const unsigned char* source = cairo_image_surface_get_data(offscreen_);
  int sourceStride = cairo_image_surface_get_stride(offscreen_);
  // cairo leaves the unused top byte of RGB24 pixels undefined; the screen wants it 0.
  for (TQVINT row = b.top; row < b.bottom; ++row) {
    auto* in = reinterpret_cast<const uint32_t*>(source + static_cast<size_t>(row) * sourceStride);
    auto* out = reinterpret_cast<uint32_t*>(reinterpret_cast<unsigned char*>(screen.pixels) +
                                            static_cast<size_t>(row) * screen.stride);
    for (TQVINT x = b.left; x < b.right; ++x) out[x] = in[x] & 0xFFFFFF;
  }
  window->invalidate();
}

void tqvDrawingSurface::blendToScreen(const uint32_t* source, int sourceStride, int t) {
  tqvAppWindow* window = tqvMainWindow();
  if (window == nullptr) return;
  tqvPlatform::Picture screen = window->picture();
  if (screen.pixels == nullptr) return;
  if (screen.scale != scale_) return;
  TQVINT w = std::min(width_ * scale_, screen.width), h = std::min(height_ * scale_, screen.height);
  for (TQVINT row = 0; row < h; ++row) {
    auto* in = reinterpret_cast<const uint32_t*>(reinterpret_cast<const char*>(source) +
                                                 static_cast<size_t>(row) * sourceStride);
    auto* out = reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(screen.pixels) +
                                            static_cast<size_t>(row) * screen.stride);
    for (TQVINT x = 0; x < w; ++x) {
      uint32_t p = in[x];
      uint32_t r = (((p >> 16) & 0xFF) * t) >> 7, g = (((p >> 8) & 0xFF) * t) >> 7,
               b = ((p & 0xFF) * t) >> 7;
      out[x] = r << 16 | g << 8 | b;
    }
  }
  window->invalidate();
}

void tqvDrawingSurface::present() {
  if (tqvPlatform::Backend* backend = tqvBackend()) backend->present();
}

void tqvDrawingSurface::setBackdrop(const tqvHandle& imageOrName) {
  tqvHandle image = imageOf(imageOrName);
  tqvImageObject* i = tqvAsImage(image);
  if (i == nullptr) return;
  backdrop_ = image;
  i->render(*this, 0, 0, 0, 0, 0, 0, TQV_NIL);
  std::vector<tqvPaletteEntry> colours = i->palette();
  if (!colours.empty()) palette_ = tqvPaletteFromColours(colours);
}

void tqvDrawingSurface::drawImage(const tqvHandle& imageOrName, TQVINT x, TQVINT y, TQVINT width,
                                  TQVINT height, TQVINT sourceX, TQVINT sourceY,
                                  const tqvHandle& mask) {
  tqvHandle image = imageOf(imageOrName);
  if (tqvImageObject* i = tqvAsImage(image)) {
    i->render(*this, x, y, width, height, sourceX, sourceY, mask);
  } else if (tqvSurface* source = tqvAsSurface(image)) {
    // A drawing context: its pixels are copied unchanged.
    TQVINT w = width > 0 ? width : source->surfaceWidth();
    TQVINT h = height > 0 ? height : source->surfaceHeight();
    cairo_t* cr = begin();
    cairo_set_source_surface(cr, source->cairoSurface(), x - sourceX, y - sourceY);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    end(cr, x, y, x + w, y + h);
  }
}

void tqvDrawingSurface::stretchImage(const tqvHandle& imageOrName, TQVINT left, TQVINT top,
                                     TQVINT right, TQVINT bottom, const tqvHandle& mask) {
  if (tqvImageObject* i = tqvAsImage(imageOf(imageOrName))) {
    i->stretch(*this, left, top, right, bottom, mask);
  }
}

bool tqvDrawingSurface::selectFont(const tqvHandle& font) {
  if (!tqvIsUsableFont(font)) {
    tqvError("Cannot select font: " + tqvToStdString(font, false));
    return false;
  }
  style_.font = font;
  return true;
}

void tqvDrawingSurface::drawText(const tqvHandle& text, TQVINT left, TQVINT top, TQVINT right,
                                 TQVINT bottom, TQVINT alignment) {
  cairo_t* cr = begin();
  tqvDrawTextIn(cr, text, left, top, right, bottom, alignment, style_);
  end(cr, left, top, right, bottom);
}

tqvTextExtent tqvDrawingSurface::drawTextAt(const tqvHandle& text, TQVINT x, TQVINT y) {
  cairo_t* cr = begin();
  tqvTextExtent extent = tqvDrawTextAt(cr, text, x, y, style_);
  // Italic overhangs reach a little past the logical width.
  end(cr, x - 2, y, x + extent.width + 4, y + extent.height);
  return extent;
}

bool tqvDrawingSurface::measure(const tqvHandle& text, tqvTextExtent& extent) {
  if (!tqvMeasureText(text, style_.font, extent)) {
    tqvError("Cannot measure size of string: " + tqvToStdString(text, false));
    return false;
  }
  return true;
}

void tqvDrawingSurface::fillRect(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom,
                                 TQVINT colour) {
  cairo_t* cr = begin();
  tqvSetCairoColour(cr, colour);
  cairo_rectangle(cr, left, top, right - left, bottom - top);
  cairo_fill(cr);
  end(cr, left, top, right, bottom);
}

void tqvDrawingSurface::frameRect(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom,
                                  TQVINT colour) {
  cairo_t* cr = begin();
  tqvSetCairoColour(cr, colour);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
  cairo_stroke(cr);
  end(cr, left, top, right, bottom);
}

void tqvDrawingSurface::line(TQVINT x1, TQVINT y1, TQVINT x2, TQVINT y2, TQVINT colour) {
  cairo_t* cr = begin();
  tqvSetCairoColour(cr, colour);
  cairo_set_line_width(cr, 1);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_move_to(cr, x1 + 0.5, y1 + 0.5);
  cairo_line_to(cr, x2 + 0.5, y2 + 0.5);
  cairo_stroke(cr);
  end(cr, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1);
}

tqvHandle tqvDrawingSurface::capture(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) {
  TQVINT w = std::max<TQVINT>(right - left, 0), h = std::max<TQVINT>(bottom - top, 0);
  tqvHandle image = tqvMakeContextImage(w, h, scale_);
  tqvSurface* target = tqvAsSurface(image);
  if (target == nullptr || w == 0 || h == 0) return image;
  cairo_surface_flush(offscreen_);
  cairo_t* cr = cairo_create(target->cairoSurface());
  cairo_set_source_surface(cr, offscreen_, -left, -top);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(target->cairoSurface());
  return image;
}

void tqvDrawingSurface::rescale(TQVINT scale) {
  scale = std::clamp<TQVINT>(scale, 1, kLargestScale);
  if (scale == scale_) return;
  // What is not drawn again keeps its place, enlarged or reduced.
  cairo_surface_t* picture = makePicture(width_, height_, scale);
  cairo_surface_flush(offscreen_);
  cairo_t* cr = cairo_create(picture);
  cairo_set_source_surface(cr, offscreen_, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(offscreen_);
  offscreen_ = picture;
  scale_ = scale;
  if (!held_) copyToScreen(0, 0, width_, height_);
}

void tqvDrawingSurface::flush(TQVINT, TQVINT, TQVINT, TQVINT) {
  // Every change is copied to the screen as it is made (or, while a fade holds the
  // screen, when the fade ends), so the screen is current and only needs showing.
  present();
}

void tqvDrawingSurface::fadeOut(TQVINT durationMs) {
  tqvAppWindow* window = tqvMainWindow();
  tqvPlatform::Picture screen = window != nullptr ? window->picture() : tqvPlatform::Picture{};
  if (screen.pixels == nullptr) {
    held_ = true;
    return;
  }
  size_t bytes = static_cast<size_t>(screen.stride) * screen.height;
  std::vector<uint32_t> saved(bytes / 4);
  std::memcpy(saved.data(), screen.pixels, bytes);
  const tqvPalette start = palette_;
  tqvPalette black{};
  tqvRunCrossFade(durationMs, [&](int t) {
    palette_ = tqvBlendPalettes(start, black, t);
    blendToScreen(saved.data(), screen.stride, 128 - t);
    present();
  });
  palette_ = black;
  held_ = true;
}

void tqvDrawingSurface::fadeIn(TQVINT durationMs) {
  cairo_surface_flush(offscreen_);
  auto* pixels = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(offscreen_));
  int stride = cairo_image_surface_get_stride(offscreen_);
  tqvPalette target = palette_;
  tqvImageObject* backdrop = tqvAsImage(backdrop_);
  if (backdrop != nullptr && !backdrop->palette().empty()) {
    target = tqvPaletteFromColours(backdrop->palette());
  }
  tqvPalette black{};
  held_ = true;
  tqvRunCrossFade(durationMs, [&](int t) {
    palette_ = tqvBlendPalettes(black, target, t);
    blendToScreen(pixels, stride, t);
    present();
  });
  palette_ = target;
  held_ = false;
  copyToScreen(0, 0, width_, height_);
  present();
}
