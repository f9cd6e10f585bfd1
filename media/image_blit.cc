// Clipped, scaled and masked pixel copies between cairo surfaces.
#include "media/image_blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kColourBits = 0x00FFFFFF;
constexpr uint32_t kOpaque = 0xFF000000;
constexpr uint32_t kWhite = 0x00FFFFFF;
// Scaled copies compute (2i + 1) * length in 64 bits; longer source spans are not drawn.
constexpr int64_t kMaxScaledSpan = int64_t{1} << 24;
// The largest device scale of a picture.
constexpr TQVINT kLargestScale = 8;

bool isPixelSurface(cairo_surface_t* s) {
  if (s == nullptr || cairo_surface_status(s) != CAIRO_STATUS_SUCCESS ||
      cairo_surface_get_type(s) != CAIRO_SURFACE_TYPE_IMAGE) {
    return false;
  }
  cairo_format_t format = cairo_image_surface_get_format(s);
  return format == CAIRO_FORMAT_RGB24 || format == CAIRO_FORMAT_ARGB32;
}

// A view of the 32-bit pixels of an image surface.
struct Plane {
  unsigned char* data = nullptr;
  int64_t stride = 0;
  int64_t width = 0;
  int64_t height = 0;

  explicit Plane(cairo_surface_t* s) {
    cairo_surface_flush(s);
    data = cairo_image_surface_get_data(s);
    stride = cairo_image_surface_get_stride(s);
    width = cairo_image_surface_get_width(s);
    height = cairo_image_surface_get_height(s);
  }
  uint32_t* row(int64_t y) const { return reinterpret_cast<uint32_t*>(data + y * stride); }
};

// One axis of a copy: the destination positions [first, first + map.size()) that are
// inside the target and whose source position map[k] is inside the source.
struct Axis {
  int64_t first = 0;
  std::vector<int32_t> map;
  bool contiguous = true;  // map[k] == map[0] + k
};

bool mapAxis(int64_t toStart, int64_t toLength, int64_t fromStart, int64_t fromLength,
             int64_t targetLimit, int64_t sourceLimit, Axis& axis) {
  if (toLength <= 0 || fromLength <= 0) return false;
  bool scaled = toLength != fromLength;
  if (scaled && (fromLength > kMaxScaledSpan || toLength > (int64_t{1} << 32))) return false;
  int64_t low = std::max<int64_t>(toStart, 0);
  int64_t high = std::min<int64_t>(toStart + toLength, targetLimit);
  axis.map.clear();
  axis.first = -1;
  for (int64_t d = low; d < high; ++d) {
    int64_t i = d - toStart;
    int64_t s = scaled ? fromStart + (2 * i + 1) * fromLength / (2 * toLength) : fromStart + i;
    if (s < 0) continue;          // the mapping grows with d: valid ones come later
    if (s >= sourceLimit) break;  // and none after this one is valid
    if (axis.first < 0) axis.first = d;
    axis.map.push_back(static_cast<int32_t>(s));
  }
  for (size_t k = 1; k < axis.map.size() && axis.contiguous; ++k) {
    axis.contiguous = axis.map[k] == axis.map[0] + static_cast<int32_t>(k);
  }
  return !axis.map.empty();
}

// A private copy of an image surface, for copies whose source is their own target.
cairo_surface_t* duplicate(cairo_surface_t* s) {
  Plane from(s);
  cairo_surface_t* copy =
      cairo_image_surface_create(cairo_image_surface_get_format(s), static_cast<int>(from.width),
                                 static_cast<int>(from.height));
  if (cairo_surface_status(copy) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(copy);
    return nullptr;
  }
  Plane to(copy);
  for (int64_t y = 0; y < from.height; ++y) {
    std::memcpy(to.row(y), from.row(y), static_cast<size_t>(from.width) * 4);
  }
  cairo_surface_mark_dirty(copy);
  return copy;
}

// Copies the mapped pixels. The mask is read at the source position times maskScale /
// sourceScale (a mask picture of another device scale than the source's).
void copyPixels(cairo_surface_t* target, const Plane& dst, const Plane& src, const Plane* mask,
                int64_t maskScale, int64_t sourceScale, const Axis& columns, const Axis& rows) {
  bool plainRows = mask == nullptr && columns.contiguous &&
                   cairo_image_surface_get_format(target) == CAIRO_FORMAT_RGB24;
  size_t count = columns.map.size();
  for (size_t r = 0; r < rows.map.size(); ++r) {
    int64_t sy = rows.map[r];
    const uint32_t* in = src.row(sy);
    uint32_t* out = dst.row(rows.first + static_cast<int64_t>(r)) + columns.first;
    if (plainRows) {
      std::memcpy(out, in + columns.map[0], count * 4);
      continue;
    }
    if (mask == nullptr) {
      for (size_t c = 0; c < count; ++c) out[c] = in[columns.map[c]] | kOpaque;
      continue;
    }
    int64_t my = sy * maskScale / sourceScale;
    const uint32_t* m = my < mask->height ? mask->row(my) : nullptr;
    for (size_t c = 0; c < count; ++c) {
      int64_t sx = columns.map[c];
      int64_t mx = sx * maskScale / sourceScale;
      uint32_t image = in[sx];
      uint32_t keep = m != nullptr && mx < mask->width ? m[mx] : kWhite;
      out[c] = ((((out[c] ^ image) & keep) ^ image) & kColourBits) | kOpaque;
    }
  }
}

// The mask as alpha for cairo: dark pixels paint (opaque), light ones keep (clear).
cairo_surface_t* alphaFromMask(cairo_surface_t* mask) {
  Plane m(mask);
  cairo_surface_t* alpha = cairo_image_surface_create(CAIRO_FORMAT_A8, static_cast<int>(m.width),
                                                      static_cast<int>(m.height));
  if (cairo_surface_status(alpha) != CAIRO_STATUS_SUCCESS) return alpha;
  cairo_surface_flush(alpha);
  unsigned char* data = cairo_image_surface_get_data(alpha);
  int stride = cairo_image_surface_get_stride(alpha);
  for (int64_t y = 0; y < m.height; ++y) {
    const uint32_t* in = m.row(y);
    for (int64_t x = 0; x < m.width; ++x) {
      uint32_t p = in[x];
      uint32_t level = ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3;
      data[y * stride + x] = static_cast<unsigned char>(255 - level);
    }
  }
  cairo_surface_mark_dirty(alpha);
  return alpha;
}

// Draws through cairo, which places the source by its device scale; `filter` chooses
// nearest pixels or interpolation.
void blitThroughCairo(tqvSurface& target, cairo_surface_t* source, cairo_surface_t* mask,
                      const tqvBlitRect& to, const tqvBlitRect& from, cairo_filter_t filter) {
  int64_t left = std::max<int64_t>(to.x, 0);
  int64_t top = std::max<int64_t>(to.y, 0);
  int64_t right = std::min<int64_t>(to.x + to.width, target.surfaceWidth());
  int64_t bottom = std::min<int64_t>(to.y + to.height, target.surfaceHeight());
  if (right <= left || bottom <= top || from.width <= 0 || from.height <= 0) return;
  cairo_t* cr = cairo_create(target.cairoSurface());
  cairo_rectangle(cr, static_cast<double>(left), static_cast<double>(top),
                  static_cast<double>(right - left), static_cast<double>(bottom - top));
  cairo_clip(cr);
  cairo_translate(cr, static_cast<double>(to.x), static_cast<double>(to.y));
  cairo_scale(cr, static_cast<double>(to.width) / static_cast<double>(from.width),
              static_cast<double>(to.height) / static_cast<double>(from.height));
  cairo_set_source_surface(cr, source, static_cast<double>(-from.x), static_cast<double>(-from.y));
  cairo_pattern_set_filter(cairo_get_source(cr), filter);
  // Interpolation must not pull in black from beyond the picture's edge.
  if (filter != CAIRO_FILTER_NEAREST)
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  if (mask != nullptr && isPixelSurface(mask)) {
    cairo_surface_t* alpha = alphaFromMask(mask);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(alpha);
    cairo_matrix_t shift;
    cairo_matrix_init_translate(&shift, static_cast<double>(from.x), static_cast<double>(from.y));
    cairo_pattern_set_matrix(pattern, &shift);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_mask(cr, pattern);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(alpha);
  } else {
    cairo_paint(cr);
  }
  cairo_destroy(cr);
  target.changed(static_cast<TQVINT>(left), static_cast<TQVINT>(top),
                 static_cast<TQVINT>(right - left), static_cast<TQVINT>(bottom - top));
}

}  // namespace

bool tqvImageSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= tqvMaxImageSide && height <= tqvMaxImageSide &&
         width * height <= tqvMaxImagePixels;
}

cairo_surface_t* tqvNewPixelSurface(TQVINT width, TQVINT height) {
  return tqvNewScaledSurface(width, height, 1);
}

cairo_surface_t* tqvNewScaledSurface(TQVINT width, TQVINT height, TQVINT scale) {
  if (scale < 1 || scale > kLargestScale || !tqvImageSizeAllowed(width, height)) return nullptr;
  cairo_surface_t* s =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width * scale, height * scale);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  cairo_surface_set_device_scale(s, scale, scale);
  return s;
}

TQVINT tqvDeviceScale(cairo_surface_t* surface) {
  if (surface == nullptr) return 1;
  double x = 1, y = 1;
  cairo_surface_get_device_scale(surface, &x, &y);
  return std::clamp<TQVINT>(static_cast<TQVINT>(x + 0.5), 1, kLargestScale);
}

void tqvBlit(tqvSurface& target, cairo_surface_t* source, cairo_surface_t* mask,
             const tqvBlitRect& to, const tqvBlitRect& from, tqvScaling scaling) {
  cairo_surface_t* destination = target.cairoSurface();
  if (destination == nullptr || source == nullptr ||
      cairo_surface_status(destination) != CAIRO_STATUS_SUCCESS) {
    return;
  }
  int64_t targetScale = tqvDeviceScale(destination);
  int64_t sourceScale = tqvDeviceScale(source);
  tqvBlitRect deviceTo{to.x * targetScale, to.y * targetScale, to.width * targetScale,
                       to.height * targetScale};
  tqvBlitRect deviceFrom{from.x * sourceScale, from.y * sourceScale, from.width * sourceScale,
                         from.height * sourceScale};
  bool resized = deviceTo.width != deviceFrom.width || deviceTo.height != deviceFrom.height;
  if (!isPixelSurface(destination) || !isPixelSurface(source)) {
    blitThroughCairo(target, source, mask, to, from, CAIRO_FILTER_NEAREST);
    return;
  }
  if (mask != nullptr && !isPixelSurface(mask)) return;
  if (scaling == tqvScaling::Smooth && mask == nullptr && resized && source != destination) {
    blitThroughCairo(target, source, nullptr, to, from, CAIRO_FILTER_GOOD);
    return;
  }

  // Drawing a surface into itself reads from a copy, so overlapping rectangles behave.
  cairo_surface_t* sourceCopy = source == destination ? duplicate(source) : nullptr;
  cairo_surface_t* maskCopy = mask != nullptr && mask == destination ? duplicate(mask) : nullptr;
  if ((source == destination && sourceCopy == nullptr) ||
      (mask != nullptr && mask == destination && maskCopy == nullptr)) {
    return;
  }
  cairo_surface_t* src = sourceCopy != nullptr ? sourceCopy : source;
  cairo_surface_t* msk = maskCopy != nullptr ? maskCopy : mask;

  Plane dst(destination);
  Plane in(src);
  int64_t targetWidth = std::min<int64_t>(dst.width, target.surfaceWidth() * targetScale);
  int64_t targetHeight = std::min<int64_t>(dst.height, target.surfaceHeight() * targetScale);
  Axis columns;
  Axis rows;
  if (mapAxis(deviceTo.x, deviceTo.width, deviceFrom.x, deviceFrom.width, targetWidth, in.width,
              columns) &&
      mapAxis(deviceTo.y, deviceTo.height, deviceFrom.y, deviceFrom.height, targetHeight, in.height,
              rows)) {
    if (msk != nullptr) {
      Plane maskPlane(msk);
      copyPixels(destination, dst, in, &maskPlane, tqvDeviceScale(mask), sourceScale, columns,
                 rows);
    } else {
      copyPixels(destination, dst, in, nullptr, 1, 1, columns, rows);
    }
    int64_t x = columns.first, y = rows.first;
    int64_t w = static_cast<int64_t>(columns.map.size());
    int64_t h = static_cast<int64_t>(rows.map.size());
    cairo_surface_mark_dirty(destination);
    // Back to media pixels, covering every device pixel written.
    int64_t left = x / targetScale, top = y / targetScale;
    int64_t right = (x + w + targetScale - 1) / targetScale;
    int64_t bottom = (y + h + targetScale - 1) / targetScale;
    target.changed(static_cast<TQVINT>(left), static_cast<TQVINT>(top),
                   static_cast<TQVINT>(right - left), static_cast<TQVINT>(bottom - top));
  }
  if (sourceCopy != nullptr) cairo_surface_destroy(sourceCopy);
  if (maskCopy != nullptr) cairo_surface_destroy(maskCopy);
}

TQVINT tqvPictureWidth(cairo_surface_t* surface) {
  return isPixelSurface(surface) ? cairo_image_surface_get_width(surface) / tqvDeviceScale(surface)
                                 : 0;
}

TQVINT tqvPictureHeight(cairo_surface_t* surface) {
  return isPixelSurface(surface) ? cairo_image_surface_get_height(surface) / tqvDeviceScale(surface)
                                 : 0;
}

bool tqvBitsFromPixels(cairo_surface_t* pixels, tqvImageBits& bits) {
  if (!isPixelSurface(pixels)) return false;
  Plane p(pixels);
  // One device pixel (the top-left one) stands for each media pixel.
  int64_t scale = tqvDeviceScale(pixels);
  int64_t width = p.width / scale, height = p.height / scale;
  size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  bits.width = static_cast<TQVINT>(width);
  bits.height = static_cast<TQVINT>(height);
  bits.bitsPerPixel = 24;
  bits.palette.clear();
  bits.rows.assign(stride * static_cast<size_t>(height), 0);
  for (int64_t r = 0; r < height; ++r) {
    const uint32_t* in = p.row((height - 1 - r) * scale);
    uint8_t* out = bits.rows.data() + static_cast<size_t>(r) * stride;
    for (int64_t x = 0; x < width; ++x) {
      uint32_t pixel = in[x * scale];
      out[3 * x] = static_cast<uint8_t>(pixel);
      out[3 * x + 1] = static_cast<uint8_t>(pixel >> 8);
      out[3 * x + 2] = static_cast<uint8_t>(pixel >> 16);
    }
  }
  return true;
}
