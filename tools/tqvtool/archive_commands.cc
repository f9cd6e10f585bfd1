// tqvtool archive list and archive build.
#include <string>

#include "storage/archive.h"
#include "storage/file_stream.h"
#include "storage/memory_stream.h"
#include "tools/tqvtool/commands.h"
#include "tools/tqvtool/tool_support.h"
#include "values/generic.h"
#include "values/list.h"

namespace tqvtool {

void addArchiveCommands(CLI::App& app) {
  auto* archive = app.add_subcommand("archive", "List or build archives");
  archive->require_subcommand(1);

  auto* list = archive->add_subcommand("list", "Print the list of all items of an archive");
  static std::string listFile;
  list->add_option("FILE", listFile, "archive file")->required();
  list->callback([] {
    tqvHandle a = tqvOpenArchive(pathValue(listFile), 0);
    TQVINT count = tqvCount(a);
    tqvHandle items = tqvMakeList(count, 100);
    for (TQVINT i = 0; i < count; ++i) tqvAddItem(items, tqvGet(a, i));
    printValue(items);
  });

  auto* build = archive->add_subcommand("build", "Write an archive with one item per element");
  static std::string outFile, textFile;
  build->add_option("OUT", outFile, "archive file to write")->required();
  build->add_option("TEXTFILE", textFile, "a list in the text notation")->required();
  build->callback([] {
    tqvHandle items = readNotationFile(textFile);
    tqvListObject* l = tqvAsList(items);
    if (l == nullptr) fail("archive build: " + textFile + " does not hold a list");
    tqvHandle built = tqvMemoryStream(nullptr, 0);
    tqvHandle a = tqvCreateArchive(built, l->count());
    for (TQVINT i = 0; i < l->count(); ++i) tqvAddItem(a, l->itemAt(i));
    a = TQV_NIL;  // releasing the archive writes its item table
    tqvWriteWholeFile(pathValue(outFile), built.as<tqvMemoryStreamObject>()->writtenBytes());
  });
}

}  // namespace tqvtool
