// Pictures of every kind loaded by name from a directory laid out like a disc, drawn with
// a mask and text into the off-screen picture, faded, and written out as a PNG file.
#include <cairo.h>

#include "media/drawing_surface.h"
#include "media/media_services.h"
#include "media/resources.h"
#include "platform/png_writer.h"
#include "tests/media/image_test_support.h"
#include "tests/media/media_fixture.h"
#include "values/values.h"

namespace {

using DiscPictures = MediaTest;
using image_test::Colour;

uint32_t pngPixel(cairo_surface_t* png, int x, int y) {
  return image_test::pixel(png, x, y);
}

TEST_F(DiscPictures, EveryKindDrawsFromTheDiscAndReachesThePng) {
  useWindow();
  // A 16x8 blue backdrop, a 4x4 green JPEG, a 4x4 red JPEG in the picture container, a
  // 4x4 yellow bitmap and a mask whose left half is black (paint) and right half white.
  std::vector<std::vector<Colour>> blue(8, std::vector<Colour>(16, Colour{0, 0, 255}));
  discFile("Media/Fundo.bmp", image_test::bitmap24(blue));
  std::vector<uint8_t> green(4 * 4 * 3), red(4 * 4 * 3);
  for (size_t i = 0; i < green.size(); i += 3) {
    green[i + 1] = 255;
    red[i] = 255;
  }
  discFile("Media/foto.jpg", image_test::jpegFile(4, 4, green));
  discFile("Media/velha.pic",
           std::string("PIC container header\0\1\2", 23) + image_test::jpegFile(4, 4, red));
  std::vector<std::vector<Colour>> yellow(4, std::vector<Colour>(4, Colour{255, 255, 0}));
  discFile("Media/sol.bmp", image_test::bitmap24(yellow));
  discFile("Media/mascara.bmp",
           image_test::bitmap8({{0, 0, 0}, {255, 255, 255}},
                               std::vector<std::vector<uint8_t>>(4, {0, 0, 1, 1})));
  setEnv("SourceDisk", discPath());
  setEnv("MediaPath", "Media");

  tqvDrawingSurface* s = tqvScreenSurface();
  s->setBackdrop(tqvMakeString("fundo.bmp"));  // found whatever the case
  s->drawImage(tqvMakeString("FOTO.JPG"), 20, 0);
  s->drawImage(tqvMakeString("velha.pic"), 30, 0);
  s->drawImage(tqvMakeString("sol.bmp"), 2, 2, 0, 0, 0, 0,
               tqvResolve(tqvMakeString("mascara.bmp")));
  s->setTextColour(0xFFFFFF);
  s->drawText(tqvMakeString("Lumbra"), 40, 0, 200, 30, 0);
  s->fadeOut(100);
  s->fadeIn(100);

  std::string file = discPath("shot.png");
  std::string error;
  ASSERT_TRUE(tqvPlatform::writePng(tqvMainWindow()->picture(), file, error)) << error;
  cairo_surface_t* png = cairo_image_surface_create_from_png(file.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(pngPixel(png, 0, 0), 0x0000FFu);  // backdrop
  EXPECT_EQ(pngPixel(png, 15, 7), 0x0000FFu);
  EXPECT_EQ(pngPixel(png, 16, 0), 0u);        // beyond the backdrop: black
  EXPECT_EQ(pngPixel(png, 2, 2), 0xFFFF00u);  // masked bitmap: black half paints
  EXPECT_EQ(pngPixel(png, 3, 5), 0xFFFF00u);
  EXPECT_EQ(pngPixel(png, 4, 2), 0x0000FFu);  // white half keeps the backdrop
  EXPECT_EQ(pngPixel(png, 5, 5), 0x0000FFu);
  uint32_t g = pngPixel(png, 21, 1), r = pngPixel(png, 31, 1);
  EXPECT_GE((g >> 8) & 0xFF, 250u);  // JPEG colours within a small tolerance
  EXPECT_LE((g >> 16) & 0xFF, 5u);
  EXPECT_GE((r >> 16) & 0xFF, 250u);
  EXPECT_LE(r & 0xFF, 5u);
  int lettering = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 40; x < 200; ++x) lettering += pngPixel(png, x, y) != 0 ? 1 : 0;
  }
  EXPECT_GT(lettering, 20);
  cairo_surface_destroy(png);
}

}  // namespace
