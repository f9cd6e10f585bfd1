// Images in the binary encoding: the bytes written for each kind, decoding them back,
// and the refusals.
#include <gtest/gtest.h>

#include "media/image.h"
#include "media/image_factory.h"
#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "tests/media/image_test_support.h"
#include "tests/values/error_capture.h"
#include "values/generic.h"

namespace {

using namespace image_test;

class ImageCodec : public ::testing::Test {
 protected:
  void SetUp() override { tqvRegisterImageCodecs(); }
};

std::string encoded(const tqvHandle& value) {
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, value);
  auto* s = stream.as<tqvMemoryStreamObject>();
  return std::string(reinterpret_cast<const char*>(s->data()), static_cast<size_t>(s->position()));
}

tqvHandle decoded(std::string bytes) {
  tqvHandle stream = tqvMemoryStream(bytes.data(), static_cast<TQVINT>(bytes.size()));
  return tqvDecode(stream);
}

// Tag 18, the kind as a short string (tag 34), the bytes as a buffer (tag 7).
std::string imageBytes(const std::string& kind, const std::string& file) {
  std::string out = "\x12\x22";
  out += static_cast<char>(kind.size());
  out += kind;
  out += '\x07';
  put32(out, static_cast<uint32_t>(file.size()));
  return out + file;
}

TEST_F(ImageCodec, BitmapsAreWrittenAsKindAndFileBytes) {
  std::string file = bitmap24({{{1, 2, 3}, {4, 5, 6}}});
  EXPECT_EQ(encoded(image(file)), imageBytes("dib", file));
  tqvHandle back = decoded(imageBytes("dib", file));
  ASSERT_FALSE(back.isNil());
  EXPECT_STREQ(tqvAsImage(back)->subType(), "dib");
  EXPECT_EQ(allPixels(back), (std::vector<uint32_t>{0x010203, 0x040506}));
  // An image inside a list travels the same way.
  tqvHandle list = decoded("\x23\x01" + imageBytes("dib", file));
  EXPECT_EQ(tqvAsImage(tqvGet(list, 0))->width(), 2);
}

TEST_F(ImageCodec, JpegAndPicKeepTheirKind) {
  std::string jpeg = jpegFile(2, 1, {0, 0, 0, 255, 255, 255});
  std::string pic = "PICHEAD" + jpeg;
  EXPECT_EQ(encoded(image(jpeg, "a.jpg")), imageBytes("jpg", jpeg));
  EXPECT_EQ(encoded(image(pic, "a.pic")), imageBytes("pic", pic));
  tqvHandle back = decoded(imageBytes("pic", pic));
  ASSERT_FALSE(back.isNil());
  EXPECT_STREQ(tqvAsImage(back)->subType(), "pic");
  EXPECT_EQ(tqvAsImage(back)->width(), 2);
}

TEST_F(ImageCodec, Refusals) {
  ErrorCapture errors;
  std::string written = encoded(tqvMakeContextImage(2, 2));
  EXPECT_EQ(errors.take(), "Cannot encode context images");
  EXPECT_EQ(written, "\x12");

  std::string file = bitmap24({{{1, 2, 3}}});
  EXPECT_TRUE(decoded(imageBytes("context", file)).isNil());
  EXPECT_EQ(errors.take(), "Cannot decode context images");
  EXPECT_TRUE(decoded(imageBytes("gif", file)).isNil());
  EXPECT_EQ(errors.take(), "Cannot decode image of kind: gif");
  EXPECT_TRUE(decoded(std::string("\x12\x20\x05\x20\x05", 5)).isNil());
  EXPECT_EQ(errors.take(), "Cannot decode image: its kind is not a string");
  EXPECT_TRUE(decoded(std::string("\x12\x22\x03"
                                  "dib\x20\x05",
                                  8))
                  .isNil());
  EXPECT_EQ(errors.take(), "Cannot decode image: its source is not a buffer");
  // A damaged bitmap is checked as it is decoded.
  EXPECT_TRUE(decoded(imageBytes("dib", "BM")).isNil());
  EXPECT_EQ(errors.take(), "tqvDIBImageObject::validate: DIB data buffer size too small.");
}

}  // namespace
