// tqvtool rtf: an RTF text parsed with the base format content authors proof against.
#include <string>

#include "controls/rtf_parser.h"
#include "storage/file_stream.h"
#include "tools/tqvtool/commands.h"
#include "tools/tqvtool/tool_support.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"

namespace tqvtool {

// The request of tqvtool rtf: Times New Roman 12 plain, left, black on white, hot spots
// (style bit 8) in red.
tqvHandle rtfRequest(const tqvHandle& text) {
  tqvHandle request = tqvTable(8);
  tqvPut(request, "Type", tqvMakeString("RTF"));
  tqvPut(request, "Buffer", text);
  tqvPut(request, "Font", tqvMakeFont(tqvMakeString("Times New Roman"), 12, 0));
  tqvPut(request, "Align", tqvMakeInt(0));
  tqvPut(request, "ForeColor", tqvMakeInt(0));
  tqvPut(request, "BackColor", tqvMakeInt(0xFFFFFF));
  tqvPut(request, "HotStyle", tqvMakeInt(8));
  tqvPut(request, "HotColor", tqvMakeInt(0x0000FF));
  return request;
}

void addRtfCommands(CLI::App& app) {
  auto* rtf = app.add_subcommand("rtf", "Parse an RTF text and print the runs and fonts");
  static std::string file;
  rtf->add_option("FILE", file, "RTF text")->required();
  rtf->callback([] {
    tqvHandle text = tqvReadWholeFile(pathValue(file), false);
    if (text.isNil()) fail("Cannot read " + file);
    printValue(tqvParseRTF(rtfRequest(text)));
  });
}

}  // namespace tqvtool
