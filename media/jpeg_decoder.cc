// TurboJPEG calls for JPEG pictures: header reading and decoding straight into the
// pixels of a cairo surface.
#include "media/jpeg_decoder.h"

#include <turbojpeg.h>

#include <bit>
#include <memory>

#include "media/image_blit.h"

namespace {

// A fresh decompressor for every call: a reused one keeps the tables of the last
// picture, which a picture without its own tables would silently borrow.
using Decompressor = std::unique_ptr<void, int (*)(tjhandle)>;
Decompressor decompressor() {
  return Decompressor(tjInitDecompress(), tjDestroy);
}

// cairo's RGB24 pixel is one native 32-bit word 0x00RRGGBB.
constexpr int kPixelFormat = std::endian::native == std::endian::little ? TJPF_BGRX : TJPF_XRGB;

const unsigned char* bytesOf(std::string_view s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

}  // namespace

std::string_view tqvFindJPEGStream(std::string_view bytes, bool container) {
  if (!container) return bytes;
  for (size_t i = 0; i + 3 <= bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
        static_cast<unsigned char>(bytes[i + 1]) == 0xD8 &&
        static_cast<unsigned char>(bytes[i + 2]) == 0xFF) {
      return bytes.substr(i);
    }
  }
  return {};
}

bool tqvReadJPEGHeader(std::string_view stream, TQVINT& width, TQVINT& height) {
  width = height = 0;
  Decompressor handle = decompressor();
  tjhandle tj = handle.get();
  if (tj == nullptr || stream.empty()) return false;
  int w = 0, h = 0, subsampling = 0, colourspace = 0;
  if (tjDecompressHeader3(tj, bytesOf(stream), static_cast<unsigned long>(stream.size()), &w, &h,
                          &subsampling, &colourspace) != 0) {
    return false;
  }
  // A stream that ends before its frame header reads as tables only, of no size.
  if (w <= 0 || h <= 0) return false;
  width = w;
  height = h;
  return true;
}

cairo_surface_t* tqvDecodeJPEG(std::string_view stream, TQVINT width, TQVINT height,
                               int& errorCode) {
  errorCode = 0;
  Decompressor handle = decompressor();
  tjhandle tj = handle.get();
  cairo_surface_t* surface = tqvNewPixelSurface(width, height);
  if (tj == nullptr || surface == nullptr) {
    errorCode = TJERR_FATAL;
    if (surface != nullptr) cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_surface_flush(surface);
  int status = tjDecompress2(tj, bytesOf(stream), static_cast<unsigned long>(stream.size()),
                             cairo_image_surface_get_data(surface), width,
                             cairo_image_surface_get_stride(surface), height, kPixelFormat,
                             TJFLAG_LIMITSCANS);
  if (status != 0 && tjGetErrorCode(tj) != TJERR_WARNING) {
    errorCode = tjGetErrorCode(tj);
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}
