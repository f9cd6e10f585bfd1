// The compile list.
#include "almanac/app/compile_list.h"

#include "almanac/app/almanac_classes.h"
#include "framework/environment.h"
#include "media/resources.h"
#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "storage/memory_stream.h"
#include "values/string.h"

bool lxCompileScreen(const tqvHandle& textFile, const tqvHandle& out) {
  tqvHandle form = tqvLoadResourceFile(textFile);
  if (!form.is(TQV_FORM_TYPE)) return false;
  tqvHandle encoded = tqvMemoryStream(nullptr, 0);
  tqvEncode(encoded, form);
  return tqvWriteWholeFile(out, encoded.as<tqvMemoryStreamObject>()->writtenBytes(), true);
}

lxCompileReport lxCompileAll() {
  lxCompileReport report;
  tqvHandle directory = tqvGetEnvironment("ResourcePath");
  if (!directory.is(TQV_STRING_TYPE)) directory = tqvMediaRoot();
  const char* tables[][2] = {
      {"Global", "Global"}, {"TestData", "testdata"}, {"RelyData", "relydata"}};
  for (const auto& [name, file] : tables) {
    if (!tqvFileExists(tqvLocateFile(tqvMakeString(file), tqvMakeString("tbl")))) continue;
    if (tqvCompileTable(tqvMakeString(file))) {
      ++report.written;
    } else {
      report.failed.push_back(name);
    }
  }
  for (const lxScreenFile& screen : lxScreenFiles()) {
    tqvHandle text = tqvMakeString(screen.file + ".frm");
    if (!tqvFileExists(tqvLocateFile(text, tqvHandle()))) continue;
    tqvHandle out = tqvPathJoin(directory, tqvLower(tqvMakeString(screen.file + ".etn")));
    if (lxCompileScreen(text, out)) {
      ++report.written;
    } else {
      report.failed.push_back(screen.form);
    }
  }
  return report;
}
