// Bitmap images: the checks on their headers, decoding of every row layout and of
// run-length data, colour tables and raw bits.
#include <gtest/gtest.h>

#include <climits>

#include "media/image.h"
#include "media/image_factory.h"
#include "tests/media/image_test_support.h"
#include "tests/values/error_capture.h"
#include "values/generic.h"

namespace {

using namespace image_test;

const Colour kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255},
    kBlack{0, 0, 0};

TEST(DIBValidate, MessagesOfTheShortAndForeignBuffers) {
  EXPECT_EQ(refusal(std::string(13, 'B')),
            "tqvDIBImageObject::validate: DIB data buffer size too small.");
  EXPECT_EQ(refusal(""), "tqvDIBImageObject::validate: DIB data buffer size too small.");
  EXPECT_EQ(refusal("XM" + std::string(12, '\0')),
            "tqvDIBImageObject::validate: DIB header not found.");
  // "BM" but no information header after the file header.
  EXPECT_EQ(refusal("BM" + std::string(12, '\0')),
            "tqvDIBImageObject::validate: DIB header not found.");
  // A 108-byte information header is not the 40-byte one.
  std::string v4 = bitmap24({{kRed}});
  v4[14] = 108;
  EXPECT_EQ(refusal(v4), "tqvDIBImageObject::validate: DIB header not found.");
  // The information header cut short.
  EXPECT_EQ(refusal(bitmap24({{kRed}}).substr(0, 53)),
            "tqvDIBImageObject::validate: DIB header not found.");
}

TEST(DIBValidate, OnlyEightAndTwentyFourBitsPerPixel) {
  for (uint16_t bits : {1, 4, 16, 32, 0}) {
    std::string file = headers(2, 2, bits, 0, 0, 54, 200) + std::string(200, '\0');
    EXPECT_EQ(refusal(file), "Unsupported bits per pixel: " + std::to_string(bits));
  }
}

TEST(DIBValidate, DamagedHeadersAreRefusedWithTheirPlace) {
  auto sized = [](int32_t w, int32_t h) {
    return headers(w, h, 24, 0, 0, 54, 0) + std::string(64, '\0');
  };
  const std::string prefix = "tqvDIBImageObject::validate: ";
  EXPECT_EQ(refusal(sized(0, 2)), prefix + "Bad DIB size 0 x 2 at offset 18.");
  EXPECT_EQ(refusal(sized(-3, 2)), prefix + "Bad DIB size -3 x 2 at offset 18.");
  EXPECT_EQ(refusal(sized(2, 0)), prefix + "Bad DIB size 2 x 0 at offset 18.");
  EXPECT_EQ(refusal(sized(2, INT_MIN)),
            prefix + "Bad DIB size 2 x " + std::to_string(INT_MIN) + " at offset 18.");
  EXPECT_EQ(refusal(sized(20000, 1)), prefix + "Bad DIB size 20000 x 1 at offset 18.");
  // 5000 x 5000 is 25 million pixels: too many to allocate for one picture.
  EXPECT_EQ(refusal(sized(5000, -5000)), prefix + "Bad DIB size 5000 x -5000 at offset 18.");

  std::string rle4 = headers(2, 2, 8, 2, 2, 62, 0) + std::string(16, '\0');
  EXPECT_EQ(refusal(rle4), prefix + "Unsupported DIB compression 2 at offset 30.");
  std::string rle24 = headers(2, 2, 24, 1, 0, 54, 0) + std::string(16, '\0');
  EXPECT_EQ(refusal(rle24), prefix + "Unsupported DIB compression 1 at offset 30.");
  std::string topDownRle = headers(2, -2, 8, 1, 1, 58, 0) + std::string(8, '\0');
  EXPECT_EQ(refusal(topDownRle),
            prefix + "Run-length DIB cannot be top-down (height at offset 22).");

  // 0 colours used means a full table of 256 entries: 1024 bytes that are not there.
  std::string shortTable = headers(1, 1, 8, 0, 0, 0, 0) + std::string(100, '\0');
  EXPECT_EQ(refusal(shortTable), prefix +
                                     "DIB colour table of 256 entries at offset 54 runs past the "
                                     "end of the data (154 bytes).");
  std::string farPixels = headers(1, 1, 24, 0, 0, 10000, 0) + std::string(4, '\0');
  EXPECT_EQ(refusal(farPixels), prefix +
                                    "DIB pixel data offset 10000 (at offset 10) is outside the "
                                    "data (58 bytes).");
  std::string insideHeader = headers(1, 1, 24, 0, 0, 20, 0) + std::string(4, '\0');
  EXPECT_EQ(refusal(insideHeader), prefix +
                                       "DIB pixel data offset 20 (at offset 10) is outside the "
                                       "data (58 bytes).");
  // Two rows of 3 pixels need 12 + 9 bytes; one byte is missing.
  std::string file = bitmap24({{kRed, kRed, kRed}, {kRed, kRed, kRed}});
  EXPECT_EQ(refusal(file.substr(0, 54 + 20)),
            prefix + "DIB pixel rows from offset 54 need 21 bytes; the data holds 20.");
}

TEST(DIBValidate, LenientWhereNothingIsLost) {
  ErrorCapture errors;
  // The last row without its padding.
  std::string file = bitmap24({{kRed}, {kBlue}});
  EXPECT_FALSE(image(file.substr(0, file.size() - 1)).isNil());
  // A colour count above 256 takes a 256-entry table.
  std::vector<Colour> palette(256, kGreen);
  std::string many = bitmap8(palette, {{7}});
  many[46] = many[47] = many[48] = many[49] = '\xFF';
  tqvHandle h = image(many);
  ASSERT_FALSE(h.isNil());
  EXPECT_EQ(tqvAsImage(h)->palette().size(), 256u);
  // A pixel offset of 0 means right after the colour table.
  std::string noOffset = bitmap8({kRed, kBlue}, {{1}});
  noOffset[10] = 0;
  h = image(noOffset);
  ASSERT_FALSE(h.isNil());
  EXPECT_EQ(pixel(h, 0, 0), 0x0000FFu);
  EXPECT_TRUE(errors.none());
}

TEST(DIBDecode, TwentyFourBitsWrittenByHand) {
  // 2 x 2, bottom-up: the bottom row (blue, white) comes first in the file; each row is
  // 6 bytes of blue-green-red plus 2 bytes of padding.
  std::string file = "BM" + std::string("\x46\0\0\0", 4) + std::string(4, '\0') +
                     std::string("\x36\0\0\0", 4) + std::string("\x28\0\0\0", 4) +
                     std::string("\x02\0\0\0", 4) + std::string("\x02\0\0\0", 4) +
                     std::string("\x01\0\x18\0", 4) + std::string(24, '\0') +
                     std::string("\xFF\x00\x00\xFF\xFF\xFF\x00\x00", 8) +  // blue, white
                     std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8);   // red, green
  ASSERT_EQ(file.size(), 70u);
  ErrorCapture errors;
  tqvHandle h = image(file);
  ASSERT_FALSE(h.isNil()) << errors.take();
  tqvImageObject* i = tqvAsImage(h);
  EXPECT_EQ(i->width(), 2);
  EXPECT_EQ(i->height(), 2);
  EXPECT_EQ(tqvWidth(h), 2);
  EXPECT_EQ(tqvHeight(h), 2);
  EXPECT_STREQ(i->subType(), "dib");
  EXPECT_TRUE(i->palette().empty());
  EXPECT_EQ(allPixels(h), (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
}

TEST(DIBDecode, EightBitsBottomUpAndTopDownGiveTheSamePicture) {
  std::vector<Colour> palette = {{10, 20, 30}, kRed, kGreen, kBlue};
  // Rows of 3 indices are padded with one byte; index 7 is past the table and is black.
  std::vector<std::vector<uint8_t>> rows = {{1, 2, 3}, {0, 7, 1}};
  std::vector<uint32_t> expected = {0xFF0000, 0x00FF00, 0x0000FF, 0x0A141E, 0x000000, 0xFF0000};
  for (bool topDown : {false, true}) {
    std::string file = bitmap8(palette, rows, topDown);
    ASSERT_EQ(file.size(), 54u + 16 + 8);
    // The first row in the file is the bottom one unless the height is negative.
    EXPECT_EQ(file[70], topDown ? 1 : 0);
    tqvHandle h = image(file);
    ASSERT_FALSE(h.isNil());
    EXPECT_EQ(allPixels(h), expected) << (topDown ? "top-down" : "bottom-up");
    std::vector<tqvPaletteEntry> colours = tqvAsImage(h)->palette();
    ASSERT_EQ(colours.size(), 4u);
    EXPECT_EQ(colours[0].red, 10);
    EXPECT_EQ(colours[0].green, 20);
    EXPECT_EQ(colours[0].blue, 30);
    EXPECT_EQ(colours[3].blue, 255);
  }
}

TEST(DIBDecode, TwentyFourBitsTopDown) {
  tqvHandle h = image(bitmap24({{kRed, kGreen, kBlue}, {kWhite, kBlack, kRed}}, true));
  ASSERT_FALSE(h.isNil());
  EXPECT_EQ(allPixels(h),
            (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFF0000}));
}

const std::vector<Colour> kRlePalette = {kBlack, kRed, kGreen, kBlue, kWhite};

TEST(DIBRunLength, RunsLiteralsMovesAndLineEnds) {
  // 4 x 3, bottom row first:
  //   row 0: 3 x red, end of line (the fourth pixel is never set: index 0, black)
  //   row 1: literal green, blue, white (padded to 4 bytes), 1 x red, end of line
  //   row 2: move right 2, 2 x green, end of bitmap
  tqvHandle h =
      image(bitmapRle(4, 3, kRlePalette, {0x03, 0x01, 0x00, 0x00,                          //
                                          0x00, 0x03, 0x02, 0x03, 0x04, 0x00, 0x01, 0x01,  //
                                          0x00, 0x00,                                      //
                                          0x00, 0x02, 0x02, 0x00, 0x02, 0x02, 0x00, 0x01}),
            "map.rle");
  ASSERT_FALSE(h.isNil());
  EXPECT_STREQ(tqvAsImage(h)->subType(), "dib");
  EXPECT_EQ(allPixels(h), (std::vector<uint32_t>{0x000000, 0x000000, 0x00FF00, 0x00FF00,  //
                                                 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000,  //
                                                 0xFF0000, 0xFF0000, 0xFF0000, 0x000000}));
  // A move up past the last row and the end-of-line after the last row are allowed.
  EXPECT_FALSE(image(bitmapRle(2, 1, kRlePalette, {0x02, 0x01, 0x00, 0x00, 0x00, 0x01})).isNil());
  EXPECT_FALSE(image(bitmapRle(2, 2, kRlePalette, {0x00, 0x02, 0x00, 0x02, 0x00, 0x01})).isNil());
}

TEST(DIBRunLength, DamagedStreamsAreRefusedWithTheOffsetOfTheCode) {
  // The codes start at offset 54 + 5 * 4 = 74.
  const std::string prefix = "tqvDIBImageObject::validate: ";
  auto rle = [](std::initializer_list<int> codes) {
    return refusal(bitmapRle(4, 2, kRlePalette, codes));
  };
  EXPECT_EQ(rle({0x05, 0x01, 0x00, 0x01}), prefix + "RLE data runs off the picture at offset 74.");
  EXPECT_EQ(rle({0x02, 0x01, 0x00, 0x03, 1, 2, 3, 0, 0x00, 0x01}),
            prefix + "RLE data runs off the picture at offset 76.");
  EXPECT_EQ(rle({0x00, 0x02, 0x05, 0x00, 0x00, 0x01}),
            prefix + "RLE data runs off the picture at offset 74.");
  EXPECT_EQ(rle({0x00, 0x02, 0x00, 0x03, 0x00, 0x01}),
            prefix + "RLE data runs off the picture at offset 74.");
  EXPECT_EQ(rle({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}),
            prefix + "RLE data runs off the picture at offset 78.");
  EXPECT_EQ(rle({0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x01}),
            prefix + "RLE data runs off the picture at offset 78.");
  EXPECT_EQ(rle({0x04, 0x01}),
            prefix + "RLE data ends at offset 76 without an end-of-bitmap code.");
  EXPECT_EQ(rle({0x04, 0x01, 0x00}),
            prefix + "RLE data ends at offset 76 without an end-of-bitmap code.");
  EXPECT_EQ(rle({0x00, 0x04, 0x01, 0x02}),
            prefix + "RLE data ends at offset 74 inside a literal run.");
  EXPECT_EQ(rle({0x00, 0x02, 0x01}), prefix + "RLE data ends at offset 74 inside a move code.");
  // An odd literal run whose padding byte is missing runs into the end of the data.
  EXPECT_EQ(rle({0x00, 0x03, 0x01, 0x02, 0x03}),
            prefix + "RLE data ends at offset 79 without an end-of-bitmap code.");
  EXPECT_EQ(rle({}), prefix + "RLE data ends at offset 74 without an end-of-bitmap code.");
}

TEST(DIBBits, EightBitRowsBottomUpPaddedWithTheColourTable) {
  std::vector<Colour> palette = {kBlack, kRed, kGreen};
  tqvHandle h = image(bitmap8(palette, {{1, 2, 1}, {2, 0, 0}}, true));
  tqvImageBits bits;
  ASSERT_TRUE(tqvAsImage(h)->getBits(bits));
  EXPECT_EQ(bits.width, 3);
  EXPECT_EQ(bits.height, 2);
  EXPECT_EQ(bits.bitsPerPixel, 8);
  ASSERT_EQ(bits.palette.size(), 3u);
  EXPECT_EQ(bits.palette[1].red, 255);
  EXPECT_EQ(bits.rows, (std::vector<uint8_t>{2, 0, 0, 0, 1, 2, 1, 0}));

  // Run-length pictures give their decoded indices, unset pixels as 0.
  h = image(bitmapRle(3, 2, kRlePalette, {0x02, 0x04, 0x00, 0x00, 0x01, 0x03, 0x00, 0x01}));
  ASSERT_TRUE(tqvAsImage(h)->getBits(bits));
  EXPECT_EQ(bits.bitsPerPixel, 8);
  EXPECT_EQ(bits.palette.size(), 5u);
  EXPECT_EQ(bits.rows, (std::vector<uint8_t>{4, 4, 0, 0, 3, 0, 0, 0}));
}

TEST(DIBBits, TwentyFourBitRowsBottomUpPadded) {
  tqvHandle h = image(bitmap24({{kRed, kGreen}, {kBlue, kWhite}}));
  tqvImageBits bits;
  ASSERT_TRUE(tqvAsImage(h)->getBits(bits));
  EXPECT_EQ(bits.bitsPerPixel, 24);
  EXPECT_TRUE(bits.palette.empty());
  EXPECT_EQ(bits.rows, (std::vector<uint8_t>{0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  //
                                             0, 0, 0xFF, 0, 0xFF, 0, 0, 0}));
}

TEST(DIBImage, MadeFromAStringAndByExtension) {
  std::string file = bitmap24({{kGreen}});
  tqvHandle fromString = tqvMakeImage(tqvMakeString(file), tqvMakeString("a\\b.DIB"));
  ASSERT_FALSE(fromString.isNil());
  EXPECT_EQ(pixel(fromString, 0, 0), 0x00FF00u);
  // Only "jpg" and "pic" make JPEG pictures, in any case; other names are bitmaps.
  EXPECT_EQ(refusal(file, "photo.JPG"), "Invalid JPEG file");
  EXPECT_EQ(refusal(file, "photo.pic"), "Invalid JPEG file");
  EXPECT_FALSE(image(file, "noextension").isNil());
  ErrorCapture errors;
  EXPECT_TRUE(tqvMakeImage(tqvMakeInt(3), tqvMakeString("a.bmp")).isNil());
  EXPECT_EQ(errors.take(), "Bad type for argument 1 of tqvMakeImage(bufOrString,string).");
}

}  // namespace
