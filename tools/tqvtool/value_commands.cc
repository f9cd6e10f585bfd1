// tqvtool print, encode and sort.
#include <string>

#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "storage/memory_stream.h"
#include "tools/tqvtool/commands.h"
#include "tools/tqvtool/tool_support.h"
#include "values/list.h"

namespace tqvtool {

void addValueCommands(CLI::App& app) {
  auto* print = app.add_subcommand("print", "Decode one binary-encoded value from FILE");
  static std::string printFile;
  print->add_option("FILE", printFile, "encoded file")->required();
  print->callback([] {
    tqvHandle stream = tqvFileStream(pathValue(printFile), TQV_FILE_READ);
    printValue(tqvDecode(stream));
  });

  auto* encode =
      app.add_subcommand("encode", "Read one value in the text notation, write its encoding");
  static std::string textFile, outFile;
  encode->add_option("TEXTFILE", textFile, "value in the text notation")->required();
  encode->add_option("OUTFILE", outFile, "encoded file to write")->required();
  encode->callback([] {
    tqvHandle value = readNotationFile(textFile);
    tqvHandle encoded = tqvMemoryStream(nullptr, 0);
    tqvEncode(encoded, value);
    tqvWriteWholeFile(pathValue(outFile), encoded.as<tqvMemoryStreamObject>()->writtenBytes());
  });

  auto* sort = app.add_subcommand("sort", "Print the sorted copy of a list");
  static std::string sortFile, direction;
  sort->add_option("TEXTFILE", sortFile, "a list in the text notation")->required();
  sort->add_option("ORDER", direction, "desc for descending order")
      ->check(CLI::IsMember({"desc", "asc"}));
  sort->callback([] {
    tqvHandle list = readNotationFile(sortFile);
    printValue(tqvSort(list, direction == "desc" ? TQV_DESCENDING : TQV_ASCENDING));
  });
}

}  // namespace tqvtool
