// JPEG pictures ("jpg", and "pic" containers): header checks, decoded pixels, decoder
// failures and damaged files. The pictures are made by the JPEG library in the test.
#include <gtest/gtest.h>

#include <cstdlib>

#include "media/image.h"
#include "tests/media/image_test_support.h"
#include "tests/values/error_capture.h"
#include "values/generic.h"

namespace {

using namespace image_test;

// 16 x 16 in four 8 x 8 blocks: red, green / blue, white. Blocks aligned with the JPEG
// blocks keep their colours within a step or two at quality 100.
uint32_t quadrant(int x, int y) {
  return y < 8 ? (x < 8 ? 0xFF0000 : 0x00FF00) : (x < 8 ? 0x0000FF : 0xFFFFFF);
}
std::vector<uint8_t> quadrants() {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      uint32_t c = quadrant(x, y);
      rgb.push_back(static_cast<uint8_t>(c >> 16));
      rgb.push_back(static_cast<uint8_t>(c >> 8));
      rgb.push_back(static_cast<uint8_t>(c));
    }
  }
  return rgb;
}

const std::string& quadrantsJpeg() {
  static const std::string file = jpegFile(16, 16, quadrants());
  return file;
}

bool near(uint32_t actual, uint32_t expected, int tolerance = 3) {
  for (int shift : {0, 8, 16}) {
    int a = static_cast<int>(actual >> shift & 0xFF);
    int e = static_cast<int>(expected >> shift & 0xFF);
    if (std::abs(a - e) > tolerance) return false;
  }
  return true;
}

// Checks every pixel of a decoded quadrants picture.
void expectQuadrants(const tqvHandle& h) {
  ASSERT_FALSE(h.isNil());
  cairo_surface_t* s = tqvAsImage(h)->pixels();
  ASSERT_NE(s, nullptr);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      EXPECT_TRUE(near(pixel(s, x, y), quadrant(x, y)))
          << "at " << x << "," << y << ": " << std::hex << pixel(s, x, y);
    }
  }
}

// The offset of the first marker FF `code` in a JPEG file.
size_t marker(const std::string& file, unsigned char code) {
  for (size_t i = 0; i + 1 < file.size(); ++i) {
    if (static_cast<unsigned char>(file[i]) == 0xFF &&
        static_cast<unsigned char>(file[i + 1]) == code) {
      return i;
    }
  }
  return std::string::npos;
}

TEST(JPEGImage, DecodesToTheColoursItWasMadeOf) {
  ASSERT_FALSE(quadrantsJpeg().empty());
  ErrorCapture errors;
  tqvHandle h = image(quadrantsJpeg(), "quad.jpg");
  expectQuadrants(h);
  tqvImageObject* i = tqvAsImage(h);
  EXPECT_STREQ(i->subType(), "jpg");
  EXPECT_EQ(i->width(), 16);
  EXPECT_EQ(i->height(), 16);
  EXPECT_TRUE(i->palette().empty());
  EXPECT_TRUE(errors.none());

  tqvImageBits bits;
  ASSERT_TRUE(i->getBits(bits));
  EXPECT_EQ(bits.bitsPerPixel, 24);
  ASSERT_EQ(bits.rows.size(), 16u * 48);
  // The first row of the bits is the bottom one: blue, then white.
  EXPECT_TRUE(near(uint32_t{bits.rows[2]} << 16 | bits.rows[1] << 8 | bits.rows[0], 0x0000FF));
  EXPECT_TRUE(near(uint32_t{bits.rows[47]} << 16 | bits.rows[46] << 8 | bits.rows[45], 0xFFFFFF));
}

TEST(JPEGImage, PicContainersCarryTheStreamAfterTheirOwnHeader) {
  // A marker-like pair that is not a start of image comes first.
  std::string container = std::string("PIC\x00\x01\xFF\xD8\x00", 8) + std::string(32, '\x11');
  tqvHandle h = image(container + quadrantsJpeg(), "quad.pic");
  expectQuadrants(h);
  EXPECT_STREQ(tqvAsImage(h)->subType(), "pic");
  EXPECT_EQ(refusal(container, "empty.pic"), "Invalid JPEG file");
}

TEST(JPEGImage, RefusedHeaders) {
  EXPECT_EQ(refusal("", "a.jpg"), "Invalid JPEG file");
  EXPECT_EQ(refusal("not a picture at all", "a.jpg"), "Invalid JPEG file");
  // A plain JPEG file must start with its stream.
  EXPECT_EQ(refusal("PIC" + quadrantsJpeg(), "a.jpg"), "Invalid JPEG file");
  EXPECT_EQ(refusal(quadrantsJpeg().substr(0, 20), "a.jpg"), "Invalid JPEG file");

  // The frame header (FF C0, length, precision, then height and width big-endian) made
  // to claim 20000 x 20000 pixels.
  std::string huge = quadrantsJpeg();
  size_t sof = marker(huge, 0xC0);
  ASSERT_NE(sof, std::string::npos);
  huge[sof + 5] = huge[sof + 7] = '\x4E';
  huge[sof + 6] = huge[sof + 8] = '\x20';
  EXPECT_EQ(refusal(huge, "a.jpg"), "JPEG picture too large: 20000 x 20000");
}

TEST(JPEGImage, ADecoderFailureAfterAGoodHeader) {
  // Without its quantisation tables the header still reads, but decoding fails.
  std::string file = quadrantsJpeg();
  for (size_t at = marker(file, 0xDB); at != std::string::npos; at = marker(file, 0xDB)) {
    size_t length =
        static_cast<unsigned char>(file[at + 2]) * 256u + static_cast<unsigned char>(file[at + 3]);
    file.erase(at, 2 + length);
  }
  ErrorCapture errors;
  tqvHandle h = image(file, "broken.jpg");
  ASSERT_FALSE(h.isNil()) << errors.take();
  EXPECT_EQ(tqvWidth(h), 16);
  tqvHandle target = filledContext(2, 2, 0x808080);
  tqvDrawImage(target, h, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(errors.take(), "Error 1 in Pegasus");
  tqvDrawImage(target, h, 0, 0, 0, 0, 0, 0);  // reported once; nothing drawn
  EXPECT_TRUE(errors.none());
  EXPECT_EQ(allPixels(target), (std::vector<uint32_t>(4, 0x808080)));
  tqvImageBits bits;
  EXPECT_FALSE(tqvAsImage(h)->getBits(bits));
  EXPECT_EQ(errors.take(), "Cannot get bits from image");
}

TEST(JPEGImage, ATruncatedScanStillGivesItsFirstRows) {
  // The top block row is one colour; the rest is noise, so most of the file is scan data.
  std::vector<uint8_t> rgb;
  uint32_t noise = 12345;
  for (int i = 0; i < 64 * 64; ++i) {
    noise = noise * 1103515245 + 12345;
    if (i < 64 * 8) {
      rgb.insert(rgb.end(), {200, 40, 40});
    } else {
      rgb.insert(rgb.end(), {static_cast<uint8_t>(noise >> 16), static_cast<uint8_t>(noise >> 8),
                             static_cast<uint8_t>(noise >> 24)});
    }
  }
  std::string file = jpegFile(64, 64, rgb);
  size_t scan = marker(file, 0xDA);
  ASSERT_LT(scan, file.size() / 4);
  ErrorCapture errors;
  tqvHandle h = image(file.substr(0, file.size() / 2), "cut.jpg");
  ASSERT_FALSE(h.isNil()) << errors.take();
  ASSERT_NE(tqvAsImage(h)->pixels(), nullptr);
  EXPECT_TRUE(near(pixel(h, 0, 0), 0xC82828));
  EXPECT_TRUE(near(pixel(h, 63, 7), 0xC82828));
  EXPECT_TRUE(errors.none()) << errors.take();
}

TEST(JPEGImage, GreyPicturesDecodeToGreyPixels) {
  std::vector<uint8_t> rgb;
  for (int i = 0; i < 8 * 8; ++i) rgb.insert(rgb.end(), {90, 90, 90});
  tqvHandle h = image(jpegFile(8, 8, rgb, true), "grey.jpg");
  ASSERT_FALSE(h.isNil());
  EXPECT_TRUE(near(pixel(h, 4, 4), 0x5A5A5A));
}

TEST(JPEGImage, DrawnThroughABitmapMask) {
  tqvHandle h = image(quadrantsJpeg(), "quad.jpg");
  // Black on the left half: the red and blue blocks are painted, the rest kept.
  std::vector<Colour> palette = {{0, 0, 0}, {255, 255, 255}};
  std::vector<std::vector<uint8_t>> rows(16, std::vector<uint8_t>(16, 1));
  for (auto& row : rows) std::fill(row.begin(), row.begin() + 8, 0);
  tqvHandle mask = image(bitmap8(palette, rows));
  tqvHandle target = filledContext(16, 16, 0x000000);
  tqvDrawImage(target, h, 0, 0, 0, 0, 0, 0, mask);
  EXPECT_TRUE(near(pixel(target, 2, 2), 0xFF0000));
  EXPECT_TRUE(near(pixel(target, 2, 13), 0x0000FF));
  EXPECT_EQ(pixel(target, 13, 2), 0x000000u);
  EXPECT_EQ(pixel(target, 13, 13), 0x000000u);
}

}  // namespace
