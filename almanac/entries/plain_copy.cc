// The plain text a text form copies.
#include "almanac/entries/plain_copy.h"

#include "controls/rtf_parser.h"
#include "values/convert.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

std::string lxPlainTextOfRuns(const tqvHandle& runs) {
  std::string plain;
  tqvListObject* list = tqvAsList(runs);
  if (list == nullptr) return plain;
  for (TQVINT i = 0; i < list->count(); ++i) {
    tqvHandle run = list->itemAt(i);
    if (run.is(TQV_INT_TYPE)) {
      if (tqvIntValue(run) == TQV_RUN_PARAGRAPH) plain += '\n';
      continue;
    }
    tqvListObject* values = tqvAsList(run);
    if (values == nullptr || values->count() < 2) continue;
    TQVINT kind = tqvNumberOf(values->itemAt(0), 0);
    tqvHandle text = values->itemAt(1);
    if ((kind == TQV_RUN_TEXT || kind == TQV_RUN_HOT_SPOT) && text.is(TQV_STRING_TYPE)) {
      plain += tqvStringView(text);
    }
  }
  return plain;
}

std::string lxPlainTextForCopy(const tqvHandle& title, const tqvHandle& text,
                               std::string_view fontName) {
  std::string rtf;
  if (!title.isNil()) rtf = std::string(tqvStringView(title)) + "\\par\\par ";
  if (text.is(TQV_STRING_TYPE)) rtf += tqvStringView(text);
  tqvHandle request = tqvTable(4);
  tqvPut(request, "Type", tqvMakeString("RTF"));
  tqvPut(request, "Buffer", tqvMakeString(rtf));
  tqvPut(request, "Font", tqvMakeFont(tqvMakeString(fontName), 9, 0));
  tqvHandle parsed = tqvParseRTF(request);
  return parsed.is(TQV_TABLE_TYPE) ? lxPlainTextOfRuns(tqvGet(parsed, "TextRuns")) : "";
}
