// tqvtool rtf: an RTF text parsed with the base format content authors proof against.
#include <filesystem>
#include <memory>
#include <string>

#include "controls/rich_text_layout.h"
#include "controls/rtf_parser.h"
#include "print/print_jobs.h"
#include "print/text_printing.h"
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

namespace {

// The parsed text printed to `pdf` through the printed pages of a text view.
void printToPdf(const tqvHandle& parsed, const std::string& pdf, const std::string& title) {
  tqvPrinter().choose({"PDF", kPdfPrinterName, pdf, {}});
  tqvTextPrint request;
  request.jobName = "tqvtool";
  request.title = tqvFromUtf8(title);
  tqvHandle runs = tqvGet(parsed, "TextRuns"), fonts = tqvGet(parsed, "ListFonts");
  request.layOut = [runs, fonts](TQVINT width, TQVINT pageHeight) {
    return std::make_unique<tqvRichTextLayout>(runs, fonts, width, pageHeight, tqvRichTextStyle());
  };
  if (!tqvPrintText(request)) fail("Cannot print to " + pdf);
}

}  // namespace

void addRtfCommands(CLI::App& app) {
  auto* rtf = app.add_subcommand("rtf", "Parse an RTF text and print the runs and fonts");
  static std::string file, pdf, title;
  rtf->add_option("FILE", file, "RTF text")->required();
  rtf->add_option("--pdf", pdf, "print the text on pages to this PDF file instead");
  rtf->add_option("--title", title, "the printed title (default: the file's name)");
  rtf->callback([] {
    tqvHandle text = tqvReadWholeFile(pathValue(file), false);
    if (text.isNil()) fail("Cannot read " + file);
    tqvHandle parsed = tqvParseRTF(rtfRequest(text));
    if (pdf.empty()) {
      printValue(parsed);
    } else if (parsed.is(TQV_TABLE_TYPE)) {
      printToPdf(parsed, std::filesystem::absolute(pdf).string(),
                 title.empty() ? std::filesystem::path(file).stem().string() : title);
    }
  });
}

}  // namespace tqvtool
