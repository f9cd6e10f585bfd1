// Printing a rich text: its pages laid out for the printed column, each with the page's
// header, the title (in "TitleFont") on the first, the footer text and "Página N de M".
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/rich_text_layout.h"
#include "values/handle.h"

struct tqvTextPrint {
  std::string jobName;                     // code page 1252
  tqvHandle title;                         // a string, or nil
  tqvHandle titleFont;                     // nil: the header font, larger
  tqvHandle footer;                        // left of the page number; nil: the copyright notice
  TQVINT leftIndent = 0, rightIndent = 0;  // media pixels inside the margins
  tqvHandle section;                       // the page settings (see printed_page.h)
  // The text laid out in a column of that width with pages of that height (media pixels).
  std::function<std::unique_ptr<tqvRichTextLayout>(TQVINT width, TQVINT pageHeight)> layOut;
};

// Prints the text as one job; true when every page was printed.
bool tqvPrintText(const tqvTextPrint& request);

// The text view's "Print": the view's text (or the data's "Text") with the settings of
// `data` (a table), else of the view: "Title", "TitleFont", "Footer", "LeftIdent",
// "RightIdent", "NoBitmaps"; the job is named by "Print Document Name", else the
// application title.
bool tqvPrintTextView(const tqvHandle& view, const tqvHandle& data);
