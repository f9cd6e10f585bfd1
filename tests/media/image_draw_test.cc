// Drawing images into context images and drawing contexts: placement, partial sources,
// clipping, masks, stretching, the type checks and the changed rectangles.
#include <gtest/gtest.h>

#include <climits>

#include "media/drawing_context.h"
#include "media/image.h"
#include "media/image_factory.h"
#include "tests/media/image_test_support.h"
#include "tests/values/error_capture.h"
#include "values/region.h"

namespace {

using namespace image_test;

constexpr uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000,
                   Q = 0x808080;  // the grey background

const Colour kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255},
    kBlack{0, 0, 0};

// 2 x 2: red green / blue white.
tqvHandle quad() {
  return image(bitmap24({{kRed, kGreen}, {kBlue, kWhite}}));
}

using Pixels = std::vector<uint32_t>;

TEST(DrawImage, AtItsOwnSizeWhenWidthAndHeightAreZero) {
  tqvHandle target = filledContext(4, 4, Q);
  tqvDrawImage(target, quad(), 1, 1, 0, 0, 0, 0);
  EXPECT_EQ(allPixels(target), (Pixels{Q, Q, Q, Q,  //
                                       Q, R, G, Q,  //
                                       Q, B, W, Q,  //
                                       Q, Q, Q, Q}));
}

TEST(DrawImage, PartOfTheSource) {
  tqvHandle target = filledContext(3, 2, Q);
  // The right column of the source at x = 0.
  tqvDrawImage(target, quad(), 0, 0, 1, 2, 1, 0);
  EXPECT_EQ(allPixels(target), (Pixels{G, Q, Q, W, Q, Q}));
  // The bottom row, placed at (1, 1).
  tqvDrawImage(target, quad(), 1, 1, 2, 1, 0, 1);
  EXPECT_EQ(allPixels(target), (Pixels{G, Q, Q, W, B, W}));
}

TEST(DrawImage, ClippedToTheTargetAndTheSource) {
  tqvHandle target = filledContext(3, 3, Q);
  tqvDrawImage(target, quad(), -1, -1, 0, 0, 0, 0);  // only the white corner lands
  tqvDrawImage(target, quad(), 2, 2, 0, 0, 0, 0);    // only the red corner lands
  EXPECT_EQ(allPixels(target), (Pixels{W, Q, Q, Q, Q, Q, Q, Q, R}));

  target = filledContext(3, 3, Q);
  // A source rectangle starting before the image: the missing column and row stay.
  tqvDrawImage(target, quad(), 0, 0, 3, 3, -1, -1);
  EXPECT_EQ(allPixels(target), (Pixels{Q, Q, Q, Q, R, G, Q, B, W}));

  target = filledContext(3, 3, Q);
  ErrorCapture errors;
  tqvDrawImage(target, quad(), 0, 0, INT_MAX, INT_MAX, 0, 0);
  tqvDrawImage(target, quad(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0);
  tqvDrawImage(target, quad(), INT_MAX, INT_MAX, 0, 0, 0, 0);
  tqvDrawImage(target, quad(), 0, 0, 0, 0, INT_MIN, INT_MAX);
  tqvDrawImage(target, quad(), 1, 1, -2, -2, 0, 0);  // a negative size draws nothing
  EXPECT_TRUE(errors.none());
  EXPECT_EQ(allPixels(target), (Pixels{R, G, Q, B, W, Q, Q, Q, Q}));
}

TEST(DrawImage, DrawingAContextImageIntoItselfReadsTheOldPixels) {
  tqvHandle strip = filledContext(4, 1, Q);
  tqvDrawImage(strip, quad(), 0, 0, 2, 1, 0, 0);  // R G Q Q
  tqvDrawImage(strip, strip, 1, 0, 3, 1, 0, 0);
  EXPECT_EQ(allPixels(strip), (Pixels{R, R, G, Q}));
}

// Source 0x123456 everywhere, destination 0xA5C3E1 everywhere. By hand:
//   destination ^ image = 0xB7F7B7
//   mask white:    & 0xFFFFFF = 0xB7F7B7, ^ image = 0xA5C3E1 (the destination)
//   mask black:    & 0        = 0,        ^ image = 0x123456 (the image)
//   mask 0x808080: & 0x808080 = 0x808080, ^ image = 0x92B4D6
//   mask 0x0F0F0F: & 0x0F0F0F = 0x070707, ^ image = 0x153351
constexpr uint32_t kDestination = 0xA5C3E1, kImage = 0x123456;

tqvHandle plainSource() {
  Colour c{0x12, 0x34, 0x56};
  return image(bitmap24({{c, c}, {c, c}}));
}

tqvHandle fourMask() {
  return image(bitmap24({{kWhite, kBlack}, {{0x80, 0x80, 0x80}, {0x0F, 0x0F, 0x0F}}}));
}

TEST(DrawMasked, WhiteKeepsBlackPaintsGreyCombinesBitwise) {
  const Pixels expected = {kDestination, kImage, 0x92B4D6, 0x153351};
  tqvHandle target = filledContext(2, 2, kDestination);
  tqvDrawImage(target, plainSource(), 0, 0, 0, 0, 0, 0, fourMask());
  EXPECT_EQ(allPixels(target), expected);

  // A context image as the mask, and a context image as the source.
  tqvHandle contextMask = filledContext(2, 2, W);
  tqvDrawImage(contextMask, fourMask(), 0, 0, 0, 0, 0, 0);
  tqvHandle contextSource = filledContext(2, 2, kImage);
  target = filledContext(2, 2, kDestination);
  tqvDrawImage(target, contextSource, 0, 0, 0, 0, 0, 0, contextMask);
  EXPECT_EQ(allPixels(target), expected);
}

TEST(DrawMasked, TheMaskFollowsTheSourceCoordinatesAndIsWhiteBeyondItsSize) {
  // The mask pixel under source (1, 0) is black, so drawing that source pixel paints.
  tqvHandle target = filledContext(2, 1, kDestination);
  tqvDrawImage(target, plainSource(), 0, 0, 1, 1, 1, 0, fourMask());
  EXPECT_EQ(allPixels(target), (Pixels{kImage, kDestination}));
  // A 1 x 1 black mask paints only the source's top-left pixel.
  tqvHandle small = filledContext(1, 1, K);
  target = filledContext(2, 2, kDestination);
  tqvDrawImage(target, plainSource(), 0, 0, 0, 0, 0, 0, small);
  EXPECT_EQ(allPixels(target), (Pixels{kImage, kDestination, kDestination, kDestination}));
}

TEST(DrawMasked, KindsOfMaskEachSourceAccepts) {
  tqvHandle jpg = image(jpegFile(2, 2, std::vector<uint8_t>(12, 0)), "black.jpg");
  tqvHandle pic = image("PIC1" + jpegFile(2, 2, std::vector<uint8_t>(12, 0)), "black.pic");
  ASSERT_FALSE(jpg.isNil());
  ASSERT_FALSE(pic.isNil());
  tqvHandle context = filledContext(2, 2, kImage);
  tqvHandle target = filledContext(2, 2, kDestination);
  tqvHandle rect = tqvMakeRect(0, 0, 2, 2);
  const std::string dibMessage =
      "tqvDIBImageObject::renderIntoContext: Mask image must be of type 'context' or 'dib'.";
  ErrorCapture errors;

  tqvDrawImage(target, plainSource(), 0, 0, 0, 0, 0, 0, jpg);
  EXPECT_EQ(errors.take(), dibMessage);
  tqvDrawImage(target, plainSource(), 0, 0, 0, 0, 0, 0, pic);
  EXPECT_EQ(errors.take(), dibMessage);
  tqvStretchImage(target, plainSource(), rect, tqvMakeInt(1));
  EXPECT_EQ(errors.take(), dibMessage);

  tqvDrawImage(target, context, 0, 0, 0, 0, 0, 0, jpg);
  EXPECT_EQ(errors.take(),
            "tqvContextImageObject::renderIntoContext: Mask image must be of type 'context', "
            "'dib' or 'pic'.");
  tqvStretchImage(target, context, rect, jpg);
  EXPECT_EQ(errors.take(),
            "tqvContextImageObject::stretchIntoContext: Mask image must be of type 'context', "
            "'dib' or 'pic'.");

  tqvDrawImage(target, jpg, 0, 0, 0, 0, 0, 0, jpg);
  EXPECT_EQ(errors.take(), "Mask image must be of type 'context' or 'dib'");
  tqvStretchImage(target, pic, rect, context);  // accepted
  EXPECT_TRUE(errors.none());
  // Nothing was drawn by the refused ones; the last painted black through the context
  // mask of colour 0x123456: ((d ^ 0) & 0x123456) ^ 0 = 0xA5C3E1 & 0x123456 = 0x000040.
  EXPECT_EQ(allPixels(target), (Pixels(4, 0x000040)));

  // A context source accepts a "pic" mask: black paints.
  target = filledContext(2, 2, kDestination);
  tqvDrawImage(target, context, 0, 0, 0, 0, 0, 0, pic);
  EXPECT_TRUE(errors.none());
  EXPECT_EQ(allPixels(target), (Pixels(4, kImage)));
}

TEST(StretchImage, NearestNeighbourByPixelCentres) {
  tqvHandle target = filledContext(4, 4, Q);
  tqvStretchImage(target, quad(), tqvMakeRect(0, 0, 4, 4));
  EXPECT_EQ(allPixels(target), (Pixels{R, R, G, G,  //
                                       R, R, G, G,  //
                                       B, B, W, W,  //
                                       B, B, W, W}));
  // 2 -> 3: destination centres 0.5, 1.5, 2.5 fall on source 0.33, 1.0, 1.67.
  target = filledContext(3, 3, Q);
  tqvStretchImage(target, quad(), tqvMakeRect(0, 0, 3, 3));
  EXPECT_EQ(allPixels(target), (Pixels{R, G, G, B, W, W, B, W, W}));
}

TEST(StretchImage, ShrinkingTakesThePixelUnderEachCentre) {
  // A 4 x 4 source with a different colour in each pixel; 4 -> 2 takes columns and rows
  // 1 and 3 (centres 0.5 * 2 = 1 and 1.5 * 2 = 3).
  std::vector<std::vector<Colour>> rows(4, std::vector<Colour>(4));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) rows[y][x] = {static_cast<uint8_t>(x * 16 + y), 0, 0};
  }
  tqvHandle target = filledContext(2, 2, Q);
  tqvStretchImage(target, image(bitmap24(rows)), tqvMakeRect(0, 0, 2, 2));
  EXPECT_EQ(allPixels(target), (Pixels{0x110000, 0x310000, 0x130000, 0x330000}));
}

TEST(StretchImage, ClippedAndMaskedInSourceCoordinates) {
  tqvHandle target = filledContext(3, 3, Q);
  // 2 x 2 stretched to 4 x 4 at (-2, -2): only the white quarter is on the target.
  tqvStretchImage(target, quad(), tqvMakeRect(-2, -2, 2, 2));
  EXPECT_EQ(allPixels(target), (Pixels{W, W, Q, W, W, Q, Q, Q, Q}));

  // A mask black on the diagonal: blocks of the image on it, the destination elsewhere.
  tqvHandle mask = image(bitmap24({{kBlack, kWhite}, {kWhite, kBlack}}));
  target = filledContext(4, 4, Q);
  tqvStretchImage(target, quad(), tqvMakeRect(0, 0, 4, 4), mask);
  EXPECT_EQ(allPixels(target), (Pixels{R, R, Q, Q,  //
                                       R, R, Q, Q,  //
                                       Q, Q, W, W,  //
                                       Q, Q, W, W}));

  ErrorCapture errors;
  target = filledContext(2, 2, Q);
  tqvStretchImage(target, quad(), tqvMakeRect(2, 2, 0, 0));  // inverted: nothing
  tqvStretchImage(target, quad(), tqvMakeRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  EXPECT_TRUE(errors.none());
}

TEST(DrawImage, TheSixTypeMessages) {
  tqvHandle target = filledContext(2, 2, Q);
  tqvHandle rect = tqvMakeRect(0, 0, 2, 2);
  ErrorCapture errors;
  tqvDrawImage(target, tqvMakeInt(5), 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(errors.take(), "tqvDrawImage: imgSrc type must be TQV_CONTEXT_TYPE or TQV_IMAGE_TYPE.");
  tqvDrawImage(quad(), quad(), 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(errors.take(), "tqvDrawImage: context sub-type must be 'context'.");
  tqvDrawImage(tqvMakeString("screen"), quad(), 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(errors.take(),
            "tqvDrawImage: context type must be TQV_CONTEXT_TYPE or TQV_IMAGE_TYPE.");
  tqvStretchImage(target, TQV_NIL, rect);
  EXPECT_EQ(errors.take(),
            "tqvStretchImage: imgSrc type must be TQV_CONTEXT_TYPE or TQV_IMAGE_TYPE.");
  tqvStretchImage(quad(), quad(), rect);
  EXPECT_EQ(errors.take(), "tqvStretchImage: context sub-type must be 'context'.");
  tqvStretchImage(TQV_NIL, quad(), rect);
  EXPECT_EQ(errors.take(),
            "tqvStretchImage: context type must be TQV_CONTEXT_TYPE or TQV_IMAGE_TYPE.");
  tqvStretchImage(target, quad(), tqvMakeInt(4));
  EXPECT_EQ(errors.take(), "Bad type for argument 3 of tqvStretchImage(context,imgSrc,region).");
  EXPECT_EQ(allPixels(target), (Pixels(4, Q)));
}

TEST(DrawingContext, ASourceIsCopiedUnchangedAndATargetHearsOfChanges) {
  std::vector<std::vector<int>> changes;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 3, 3);
  tqvHandle context = tqvMakeDrawingContext(surface, [&](TQVINT x, TQVINT y, TQVINT w, TQVINT h) {
    changes.push_back({x, y, w, h});
  });
  cairo_surface_destroy(surface);  // the context keeps its own reference
  ASSERT_EQ(context.type(), TQV_CONTEXT_TYPE);
  ASSERT_NE(tqvAsSurface(context), nullptr);

  tqvDrawImage(context, quad(), -1, 1, 0, 0, 0, 0);
  tqvStretchImage(context, quad(), tqvMakeRect(1, -1, 3, 1));
  EXPECT_EQ(changes, (std::vector<std::vector<int>>{{0, 1, 1, 2}, {1, 0, 2, 1}}));

  // The context as a source, even with a mask, is copied as it is.
  tqvHandle target = filledContext(3, 3, Q);
  tqvDrawImage(target, context, 0, 0, 0, 0, 0, 0, image(bitmap24({{kWhite}})));
  EXPECT_EQ(allPixels(target), (Pixels{K, B, W, G, K, K, W, K, K}));
  // Stretched: 3 rows into 1 take the middle one.
  target = filledContext(3, 1, Q);
  tqvStretchImage(target, context, tqvMakeRect(0, 0, 3, 1));
  EXPECT_EQ(allPixels(target), (Pixels{G, K, K}));

  changes.clear();
  tqvAsDrawingContext(context)->setChangedHandler({});
  tqvDrawImage(context, quad(), 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(changes.empty());
}

TEST(DrawingContext, PrintedPagesArePaintedThroughCairo) {
  // A recording surface stands for a printed page; it is played back to look at it.
  cairo_rectangle_t extents{0, 0, 4, 4};
  cairo_surface_t* page = cairo_recording_surface_create(CAIRO_CONTENT_COLOR, &extents);
  tqvHandle context = tqvMakeDrawingContext(page, 4, 4);
  tqvStretchImage(context, quad(), tqvMakeRect(0, 0, 4, 4));
  tqvHandle mask = image(bitmap24({{kBlack, kWhite}, {kWhite, kWhite}}));
  tqvDrawImage(context, plainSource(), 2, 2, 0, 0, 0, 0, mask);

  tqvHandle shown = filledContext(4, 4, Q);
  cairo_t* cr = cairo_create(tqvAsImage(shown)->pixels());
  cairo_set_source_surface(cr, page, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(page);
  EXPECT_EQ(allPixels(shown), (Pixels{R, R, G, G,       //
                                      R, R, G, G,       //
                                      B, B, kImage, W,  //
                                      B, B, W, W}));
}

TEST(ContextImage, SizeGeometryAndBits) {
  tqvHandle c = filledContext(3, 1, 0x010203);
  tqvImageObject* i = tqvAsImage(c);
  EXPECT_STREQ(i->subType(), "context");
  EXPECT_EQ(i->width(), 3);
  EXPECT_EQ(i->height(), 1);
  EXPECT_TRUE(i->validate());
  tqvImageBits bits;
  ASSERT_TRUE(i->getBits(bits));
  EXPECT_EQ(bits.bitsPerPixel, 24);
  EXPECT_EQ(bits.rows, (std::vector<uint8_t>{3, 2, 1, 3, 2, 1, 3, 2, 1, 0, 0, 0}));
  // A new context image is black; an empty one is allowed; absurd ones are refused.
  EXPECT_EQ(allPixels(tqvMakeContextImage(2, 1)), (Pixels{K, K}));
  EXPECT_FALSE(tqvMakeContextImage(0, 0).isNil());
  ErrorCapture errors;
  EXPECT_TRUE(tqvMakeContextImage(-1, 5).isNil());
  EXPECT_EQ(errors.take(), "tqvMakeContextImage: Bad size -1 x 5.");
  EXPECT_TRUE(tqvMakeContextImage(100000, 100000).isNil());
  EXPECT_EQ(errors.take(), "tqvMakeContextImage: Bad size 100000 x 100000.");
}

TEST(ImageFromImage, ANewImageOfTheSameKind) {
  tqvHandle c = filledContext(2, 1, G);
  tqvHandle copy = tqvImageFromImage(c);
  ASSERT_FALSE(copy.isNil());
  EXPECT_NE(copy.object(), c.object());
  tqvDrawImage(c, quad(), 0, 0, 0, 0, 0, 0);  // the copy keeps its own pixels
  EXPECT_EQ(allPixels(copy), (Pixels{G, G}));

  tqvHandle dib = tqvImageFromImage(quad());
  EXPECT_STREQ(tqvAsImage(dib)->subType(), "dib");
  EXPECT_EQ(allPixels(dib), (Pixels{R, G, B, W}));
  tqvHandle pic = image("header" + jpegFile(1, 1, {0, 0, 0}), "x.pic");
  EXPECT_STREQ(tqvAsImage(tqvImageFromImage(pic))->subType(), "pic");

  ErrorCapture errors;
  EXPECT_TRUE(tqvImageFromImage(tqvMakeString("x.bmp")).isNil());
  EXPECT_EQ(errors.take(), "tqvImageFromImage: Unknown image type.");
}

}  // namespace
