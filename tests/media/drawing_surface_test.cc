// The drawing surface of the main window: what reaches the screen picture, text, capture,
// the drawing origin, and fades and transitions on the virtual clock.
#include "media/drawing_surface.h"

#include "framework/environment.h"
#include "media/image.h"
#include "media/media_services.h"
#include "media/palette.h"
#include "tests/media/media_fixture.h"
#include "values/values.h"

namespace {

using Surface = MediaTest;

// The screen picture's pixel (0x00RRGGBB).
uint32_t screenAt(TQVINT x, TQVINT y) {
  tqvPlatform::Picture p = tqvMainWindow()->picture();
  return p.pixels[static_cast<size_t>(y) * (p.stride / 4) + x];
}

uint32_t offscreenAt(tqvDrawingSurface& s, TQVINT x, TQVINT y) {
  cairo_surface_flush(s.cairoSurface());
  auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s.cairoSurface()));
  return data[static_cast<size_t>(y) * (cairo_image_surface_get_stride(s.cairoSurface()) / 4) + x] &
         0xFFFFFF;
}

// Colours are written 0x00BBGGRR; the screen holds 0x00RRGGBB.
constexpr TQVINT kRed = 0x0000FF;
constexpr uint32_t kRedOnScreen = 0xFF0000;

TEST_F(Surface, DrawingReachesTheScreenPicture) {
  useWindow();
  tqvDrawingSurface* s = tqvScreenSurface();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->surfaceWidth(), 640);
  EXPECT_EQ(screenAt(10, 10), 0u);
  s->fillRect(10, 10, 20, 15, kRed);
  EXPECT_EQ(screenAt(10, 10), kRedOnScreen);
  EXPECT_EQ(screenAt(19, 14), kRedOnScreen);
  EXPECT_EQ(screenAt(20, 14), 0u);  // the right and bottom edges are outside
  EXPECT_EQ(screenAt(19, 15), 0u);
  s->line(0, 100, 9, 100, 0x00FF00);  // the end point is not drawn
  EXPECT_EQ(screenAt(0, 100), 0x00FF00u);
  EXPECT_EQ(screenAt(8, 100), 0x00FF00u);
  EXPECT_EQ(screenAt(9, 100), 0u);
  EXPECT_EQ(screenAt(0, 101), 0u);
  s->frameRect(200, 200, 210, 210, 0xFFFFFF);
  EXPECT_EQ(screenAt(200, 200), 0xFFFFFFu);
  EXPECT_EQ(screenAt(209, 209), 0xFFFFFFu);
  EXPECT_EQ(screenAt(205, 205), 0u);  // only the frame
  EXPECT_EQ(tqvScreenSurface(), s);   // one surface per window
}

TEST_F(Surface, ACapturedRectangleRestoresExactly) {
  useWindow();
  tqvDrawingSurface* s = tqvScreenSurface();
  for (TQVINT x = 0; x < 40; ++x) s->fillRect(x, 0, x + 1, 40, x * 6);  // a gradient
  tqvHandle under = s->capture(10, 10, 30, 30);
  EXPECT_EQ(tqvWidth(under), 20);
  EXPECT_EQ(tqvHeight(under), 20);
  s->fillRect(5, 5, 35, 35, 0xFFFFFF);  // a dialog covers it
  s->drawImage(under, 10, 10);          // and goes away
  for (TQVINT x = 10; x < 30; ++x) {
    EXPECT_EQ(screenAt(x, 20), static_cast<uint32_t>(x * 6) << 16) << x;
  }
  EXPECT_EQ(screenAt(9, 20), 0xFFFFFFu);  // outside the rectangle the dialog stays
}

TEST_F(Surface, TextIsDrawnInsideItsRectangleOnly) {
  useWindow();
  tqvDrawingSurface* s = tqvScreenSurface();
  ASSERT_TRUE(s->selectFont(tqvMakeFont(tqvMakeString("Arial"), 12, 2)));
  s->setTextColour(0xFFFFFF);
  s->drawText(tqvFromUtf8("Atlas do Brasil — países"), 50, 50, 130, 70, TQV_ALIGN_LEFT);
  int inside = 0, outside = 0;
  for (TQVINT y = 40; y < 80; ++y) {
    for (TQVINT x = 40; x < 140; ++x) {
      bool in = x >= 50 && x < 130 && y >= 50 && y < 70;
      if (screenAt(x, y) != 0) (in ? inside : outside)++;
    }
  }
  EXPECT_GT(inside, 40);
  EXPECT_EQ(outside, 0);
  tqvTextExtent wide, narrow;
  ASSERT_TRUE(s->measure(tqvMakeString("WWWW"), wide));
  ASSERT_TRUE(s->measure(tqvMakeString("iiii"), narrow));
  EXPECT_GT(wide.width, narrow.width);
  EXPECT_GE(wide.height, 12);
}

TEST_F(Surface, OpaqueTextFillsItsBackgroundAndCentringMovesIt) {
  useWindow();
  tqvDrawingSurface* s = tqvScreenSurface();
  s->setBackgroundMode(TQV_BACKGROUND_OPAQUE);
  s->setBackgroundColour(kRed);
  s->setTextColour(0xFFFFFF);
  s->drawText(tqvMakeString("i"), 0, 0, 200, 30, TQV_ALIGN_CENTRE | TQV_ALIGN_SINGLE_LINE);
  EXPECT_EQ(screenAt(5, 5), 0u);  // far left stays black
  int background = 0;
  for (TQVINT x = 90; x < 110; ++x) background += screenAt(x, 1) == kRedOnScreen ? 1 : 0;
  EXPECT_GT(background, 0);  // behind the centred letter
}

TEST_F(Surface, FontAndMeasureFailuresAreReported) {
  useWindow();
  tqvDrawingSurface* s = tqvScreenSurface();
  EXPECT_FALSE(s->selectFont(tqvMakeInt(3)));
  EXPECT_EQ(takeError(), "Cannot select font: 3");
  tqvTextExtent extent;
  EXPECT_FALSE(s->measure(tqvMakeList(), extent));
  EXPECT_EQ(takeError(), "Cannot measure size of string: (list)");
  EXPECT_TRUE(s->selectFont(TQV_NIL));  // the stock font
}

TEST_F(Surface, CrossFadesStepWithTheClock) {
  useWindow();
  std::vector<int> rounds;
  uint32_t start = tqvTickCount();
  tqvRunCrossFade(100, [&](int t) { rounds.push_back(t); });
  EXPECT_EQ(rounds, (std::vector<int>{0, 12, 25, 38, 51, 64, 76, 89, 102, 115, 128}));
  EXPECT_EQ(tqvTickCount() - start, 100u);
  rounds.clear();
  tqvRunCrossFade(0, [&](int t) { rounds.push_back(t); });
  EXPECT_EQ(rounds, std::vector<int>{128});
  tqvPalette a = tqvSystemPalette(), b = tqvSystemPalette();
  a[100] = {200, 100, 0};
  b[100] = {0, 100, 200};
  tqvPalette mid = tqvBlendPalettes(a, b, 64);
  EXPECT_EQ(mid[100].red, 100);
  EXPECT_EQ(mid[100].blue, 100);
  EXPECT_EQ(mid[5].red, a[5].red);  // fixed entries never change
}

TEST_F(Surface, FadeOutHoldsTheScreenBlackUntilTheFadeIn) {
  useWindow();
  tqvDrawingSurface* s = tqvScreenSurface();
  s->fillRect(0, 0, 640, 480, 0x808080);
  uint32_t before = tqvTickCount();
  s->fadeOut(300);
  EXPECT_EQ(tqvTickCount() - before, 300u);
  EXPECT_TRUE(s->held());
  EXPECT_EQ(screenAt(320, 240), 0u);
  s->fillRect(0, 0, 640, 480, kRed);  // the next form draws while the screen is black
  EXPECT_EQ(screenAt(320, 240), 0u);
  EXPECT_EQ(offscreenAt(*s, 320, 240), kRedOnScreen);
  s->fadeIn(200);
  EXPECT_FALSE(s->held());
  EXPECT_EQ(screenAt(320, 240), kRedOnScreen);
}

TEST_F(Surface, DisabledTransitionsLeaveTheScreenAlone) {
  useWindow();
  tqvDrawingSurface* s = tqvScreenSurface();
  s->fillRect(0, 0, 10, 10, kRed);
  app_->setEnvironment("Disable Transitions", tqvMakeString("1"));
  uint32_t before = tqvTickCount();
  s->transition(13, 0, 0, -1, -1, 500);
  EXPECT_EQ(tqvTickCount(), before);
  EXPECT_FALSE(s->held());
  EXPECT_EQ(screenAt(5, 5), kRedOnScreen);
}

TEST_F(Surface, ZoomAndWipesEndWithTheWholeRectangleShown) {
  useWindow();
  tqvDrawingSurface* s = tqvScreenSurface();
  for (TQVINT code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20}) {
    s->fadeOut(0);
    TQVINT colour = 0x010101 * code;
    s->fillRect(0, 0, 640, 480, colour);
    EXPECT_EQ(screenAt(600, 400), 0u) << code;
    s->transition(code, 100, 100, -1, -1, code == 1 ? 5 : 50);
    EXPECT_FALSE(s->held()) << code;
    uint32_t expected = static_cast<uint32_t>(code) * 0x010101;
    EXPECT_EQ(screenAt(600, 400), expected) << code;
    if (code == 1) {
      EXPECT_EQ(screenAt(0, 0), expected);  // the zoom reaches the whole area
    }
  }
}

}  // namespace
