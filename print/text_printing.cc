// Rich text on printed pages.
#include "print/text_printing.h"

#include <algorithm>
#include <cmath>

#include "controls/text_view_control.h"
#include "framework/control_object.h"
#include "framework/environment.h"
#include "framework/runtime.h"
#include "media/drawing_context.h"
#include "media/text_drawing.h"
#include "print/print_jobs.h"
#include "print/printed_page.h"
#include "values/convert.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"

namespace {

// The title's font at the printer's scale: "TitleFont", else the header font made larger.
tqvHandle titleFont(const tqvHandle& font, const tqvPageFrame& frame) {
  tqvFontObject* f = tqvAsFont(font);
  if (f == nullptr) f = tqvAsFont(frame.headerFont);
  double size = tqvAsFont(font) != nullptr ? f->size() * frame.fontScale : f->size() * 1.5;
  return tqvMakeFont(f->name(), std::max<TQVINT>(1, static_cast<TQVINT>(std::lround(size))),
                     f->style());
}

}  // namespace

bool tqvPrintText(const tqvTextPrint& request) {
  tqvPrintJobs& printer = tqvPrinter();
  if (!printer.startJob(request.jobName)) return false;
  printer.setDocumentTitle(request.title.is(TQV_STRING_TYPE) ? tqvStringView(request.title) : "");
  tqvPageFrame frame;
  bool printed = false;
  if (tqvReadPageFrame(request.section, frame)) {
    double k = frame.fontScale;
    tqvPrintRect area = frame.content();
    tqvTextStyle titleStyle;
    titleStyle.font = titleFont(request.titleFont, frame);
    tqvTextExtent titleExtent;
    bool hasTitle = request.title.is(TQV_STRING_TYPE) && !tqvStringView(request.title).empty();
    TQVINT titleHeight = hasTitle && tqvMeasureText(request.title, titleStyle.font, titleExtent)
                             ? titleExtent.height + static_cast<TQVINT>(8 * k)
                             : 0;
    double left = area.left + request.leftIndent * k;
    double right = area.right - request.rightIndent * k;
    auto column = static_cast<TQVINT>(std::max(1.0, (right - left) / k));
    auto pageHeight = static_cast<TQVINT>(std::max(1.0, (area.height() - titleHeight) / k));
    std::unique_ptr<tqvRichTextLayout> layout = request.layOut(column, pageHeight);
    std::vector<TQVINT> pages = layout != nullptr ? layout->pages() : std::vector<TQVINT>{0};
    auto total = static_cast<TQVINT>(pages.size());
    printed = true;
    for (TQVINT i = 0; i < total && printed; ++i) {
      if (!printer.startPage()) {
        printed = false;
        break;
      }
      cairo_t* cr = cairo_create(tqvAsDrawingContext(printer.context())->cairoSurface());
      tqvDrawPageHeader(cr, frame, request.title);
      if (hasTitle) {
        tqvDrawTextIn(cr, request.title, static_cast<TQVINT>(left), area.top,
                      static_cast<TQVINT>(right), area.top + titleHeight, TQV_ALIGN_LEFT,
                      titleStyle);
      }
      if (layout != nullptr) {
        TQVINT top = pages[i];
        TQVINT bottom = i + 1 < total ? pages[i + 1] : layout->height();
        cairo_save(cr);
        cairo_translate(cr, left, area.top + titleHeight);
        cairo_scale(cr, k, k);
        cairo_rectangle(cr, 0, 0, column, bottom - top);
        cairo_clip(cr);
        layout->draw(cr, 0, 0, top, nullptr);
        cairo_restore(cr);
      }
      tqvDrawPageFooter(cr, frame, request.footer, tqvPageNumberText(i + 1, total));
      cairo_destroy(cr);
      printed = printer.endPage();
    }
    if (printed) return printer.endJob();
  }
  if (printer.printing()) printer.abortJob();
  return false;
}

bool tqvPrintTextView(const tqvHandle& view, const tqvHandle& data) {
  auto* control = dynamic_cast<tqvTextViewControl*>(tqvAsControl(view));
  if (control == nullptr) return false;
  auto value = [&](std::string_view key) {
    tqvHandle k = tqvMakeString(key);
    if (data.is(TQV_TABLE_TYPE) && tqvContainsKey(data, k)) return tqvGet(data, k);
    return control->property(key);
  };
  tqvTextPrint request;
  tqvHandle job = tqvGetEnvironment("Print Document Name", tqvAppTitle());
  request.jobName = job.is(TQV_STRING_TYPE) ? tqvStringView(job) : "";
  request.title = value("Title");
  request.titleFont = value("TitleFont");
  request.footer = value("Footer");
  request.leftIndent = std::max<TQVINT>(0, tqvNumberOf(value("LeftIdent"), 0));
  request.rightIndent = std::max<TQVINT>(0, tqvNumberOf(value("RightIdent"), 0));
  request.section = data;
  bool images = !tqvFlagOf(value("NoBitmaps"), false);
  // A "Text" of the data is printed in place of what the view shows.
  tqvHandle text = data.is(TQV_TABLE_TYPE) ? tqvGet(data, "Text") : tqvHandle();
  request.layOut = [control, images, text](TQVINT width, TQVINT pageHeight) {
    return control->layoutFor(width, pageHeight, images, text);
  };
  return tqvPrintText(request);
}
