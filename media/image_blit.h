// Moving pixels between surfaces: clipped copies, nearest-neighbour scaling and masked
// drawing, shared by every image kind and by drawing-context sources.
#pragma once

#include <cairo.h>

#include "media/image.h"
#include "media/surface.h"

// Pictures larger than this are refused before any memory is taken for them.
constexpr TQVINT tqvMaxImageSide = 16384;
constexpr int64_t tqvMaxImagePixels = int64_t{1} << 24;

// True when a picture of `width` x `height` may be allocated.
bool tqvImageSizeAllowed(int64_t width, int64_t height);

// A new black RGB24 image surface, or null (nothing to destroy) when cairo refuses it.
cairo_surface_t* tqvNewPixelSurface(TQVINT width, TQVINT height);

struct tqvBlitRect {
  int64_t x, y, width, height;
};

// How a picture is scaled when its pixels and the target's differ in size: by nearest
// neighbour (interface bitmaps, masks, saved screens: edges stay sharp) or by
// interpolation (photographs and large pictures: no blocks).
enum class tqvScaling { Sharp, Smooth };

// Draws the pixels of `from` into `to`. Both rectangles are in media pixels: of the source
// picture and of the target, whose cairo surfaces carry their device scale (device pixels
// per media pixel; 1 for pictures read from files, the screen's scale for the screen and
// the context images taken from it). Copies happen in device pixels.
//
// Sharp: destination column i takes source column from.x + floor((2i + 1) * from.width /
// (2 * to.width)) in device pixels, the source pixel under the centre of the destination
// pixel; rows alike (at equal sizes, a plain copy). Destination pixels outside the
// target or whose source pixel lies outside `source` are left alone, so no rectangle,
// however negative or large, reads or writes outside a surface.
//
// With a mask (a picture over the source's coordinates, of any device scale), each
// written pixel becomes ((destination ^ image) & mask) ^ image on its 24 colour bits:
// white keeps the destination, black paints the image. Mask pixels beyond the mask's size
// count as white. Smooth scaling applies only without a mask and when the device sizes
// differ; otherwise the copy is sharp. The rectangle actually drawn is passed to
// target.changed() in media pixels. Image targets of format RGB24 or ARGB32 are written
// pixel by pixel; other surfaces (printed pages) are painted through cairo, where the mask
// only selects (dark paints, light keeps).
void tqvBlit(tqvSurface& target, cairo_surface_t* source, cairo_surface_t* mask,
             const tqvBlitRect& to, const tqvBlitRect& from,
             tqvScaling scaling = tqvScaling::Sharp);

// Device pixels per media pixel of a cairo surface (its device scale; at least 1).
TQVINT tqvDeviceScale(cairo_surface_t* surface);
// The width and height of an image surface in media pixels: its pixels over its device
// scale (0 for other surfaces).
TQVINT tqvPictureWidth(cairo_surface_t* surface);
TQVINT tqvPictureHeight(cairo_surface_t* surface);

// A new black RGB24 image surface of width x height media pixels at `scale` device pixels
// each, or null (nothing to destroy) when the size is refused.
cairo_surface_t* tqvNewScaledSurface(TQVINT width, TQVINT height, TQVINT scale);

// Fills `bits` as a 24-bit bottom-up bitmap (blue, green, red; rows padded to 4 bytes) of
// the surface's media size, one device pixel per media pixel. False when the surface is
// not an image surface.
bool tqvBitsFromPixels(cairo_surface_t* pixels, tqvImageBits& bits);

// The pixels of the mask argument of a drawing operation. Nil gives true and null pixels.
// A mask of another kind than "context" or "dib" ("pic" too when `allowPic`) reports
// `message` and gives false; so does a mask whose own pixels cannot be had (after its
// own report).
bool tqvMaskPixels(const tqvHandle& mask, bool allowPic, const char* message,
                   cairo_surface_t*& pixels);

// The render and stretch operations of every image kind: the mask is accepted or
// refused (see tqvMaskPixels), then the image's pixels are copied. A width or height of
// 0 stands for the image's own; the stretch rectangle's right and bottom are exclusive.
void tqvRenderThroughMask(tqvImageObject& image, tqvSurface& target, const tqvHandle& mask,
                          bool allowPic, const char* maskMessage, TQVINT x, TQVINT y, TQVINT width,
                          TQVINT height, TQVINT sourceX, TQVINT sourceY);
void tqvStretchThroughMask(tqvImageObject& image, tqvSurface& target, const tqvHandle& mask,
                           bool allowPic, const char* maskMessage, TQVINT left, TQVINT top,
                           TQVINT right, TQVINT bottom);

// The buffer itself, or a new buffer holding the bytes of a string; nil for other values.
tqvHandle tqvImageBytesAsBuffer(const tqvHandle& bytesOrBuffer);
