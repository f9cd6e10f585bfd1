// tqvtool on forms: compiling a form's resource table to an .etn file and rendering a
// form headless into a PNG.
#include <gtest/gtest.h>
#include <cstdio>
#include <vector>

#include "tests/support/png_reading.h"
#include "tests/tools/tool_fixture.h"

namespace {

// Text drawing loads fontconfig, which keeps its configuration until the end; the tool
// runs with the project's leak suppressions.
class FormCommands : public ToolTest {
 protected:
  ScopedEnv leakOptions_{"LSAN_OPTIONS",
                         "suppressions=" TQV_LSAN_SUPPRESSIONS ":print_suppressions=0"};
};

// The RGB pixel at (x, y) of a PNG file, or -1.
long pngPixel(const std::string& file, int x, int y) {
  RgbPicture picture;
  return readPng(file, picture) ? picture.pixel(x, y) : -1;
}

TEST_F(FormCommands, CompilingAFormWritesItsResourceTable) {
  write("Media/menu.frm",
        "(form (\"Name\" \"Menu\") (\"Resource Table\"\n"
        "  (table (\"Control List\" (list (control (\"Class\" \"Button\")))))))");
  ToolResult compiled = run("compile menu.frm" + disc());
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  ToolResult printed = run("print " + path("Media/menu.frm.etn"));
  EXPECT_EQ(printed.out, "(table (\"Control List\" (list (control (\"Class\" \"Button\")))))\n");
}

TEST_F(FormCommands, RenderWritesTheOpenedFormAsAPicture) {
  write("Media/plain.frm",
        "(form (\"Background Color\" (rgb 10 20 30)) (\"Control List\" (list\n"
        "  (control (\"Class\" \"StaticText\") (\"TextRegion\" (rect 0 0 40 10))\n"
        "           (\"Background Color\" (rgb 200 0 0))))))");
  ToolResult rendered = run("render plain.frm " + path("shot.png") + disc());
  ASSERT_EQ(rendered.status, 0) << rendered.err;
  EXPECT_EQ(pngPixel(path("shot.png"), 5, 5), 0xC80000);
  EXPECT_EQ(pngPixel(path("shot.png"), 100, 100), 0x0A141E);
  EXPECT_EQ(pngPixel(path("shot.png"), 639, 479), 0x0A141E);
}

TEST_F(FormCommands, RenderingAMissingFormFails) {
  ToolResult rendered = run("render nothing.frm " + path("shot.png") + disc());
  EXPECT_EQ(rendered.status, 1);
  EXPECT_EQ(rendered.err.substr(0, rendered.err.find('\n') + 1),
            "Cannot find form named 'nothing.frm'\n");
  EXPECT_FALSE(fs::exists(path("shot.png")));
}

}  // namespace
