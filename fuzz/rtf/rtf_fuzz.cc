// Rich text from untrusted bytes: parsed, then laid out in a column whose width the first
// byte chooses, hit-tested, searched for markers and runs, and drawn onto a small surface.
#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/rich_text_layout.h"
#include "controls/rtf_parser.h"
#include "fuzz/common/controls_program.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"

namespace {

void setUp() {
  fuzz_support::controlsProgram(false);
}

}  // namespace

// fontconfig keeps its configuration until the process ends; Pango loads it.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
extern "C" const char* __lsan_default_options() {
  return "print_suppressions=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setUp();
  if (size < 1 || size > 1 << 16) return 0;
  tqvHandle request = tqvTable(8);
  tqvPut(request, "Type", tqvMakeString("RTF"));
  tqvPut(request, "Buffer",
         tqvMakeString(std::string(reinterpret_cast<const char*>(data + 1), size - 1)));
  tqvPut(request, "Font", tqvMakeFont(tqvMakeString("Verdana"), 9, 0));
  tqvHandle parsed = tqvParseRTF(request);
  if (parsed.isNil()) return 0;
  TQVINT width = 16 + data[0] * 3;
  tqvRichTextLayout layout(tqvGet(parsed, "TextRuns"), tqvGet(parsed, "ListFonts"), width, 120,
                           tqvRichTextStyle{});
  layout.hotSpotAt(width / 2.0, 40);
  layout.markerY("fim");
  layout.runY(3);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 64, 64);
  cairo_t* cr = cairo_create(surface);
  layout.draw(cr, 0, 0, 0, layout.hotSpots().empty() ? nullptr : &layout.hotSpots()[0]);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  layout.pages();
  return 0;
}
