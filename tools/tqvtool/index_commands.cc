// tqvtool index dump|build|get|prefix and kf check.
#include <cstdio>
#include <string>

#include "btree/key_file.h"
#include "platform/replace_file.h"
#include "storage/file_stream.h"
#include "storage/index.h"
#include "tools/tqvtool/commands.h"
#include "tools/tqvtool/tool_support.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

namespace tqvtool {

void addIndexCommands(CLI::App& app) {
  auto* index = app.add_subcommand("index", "Inspect and build indexes");
  index->require_subcommand(1);

  auto* dump = index->add_subcommand("dump", "Print every (key value) pair in key order");
  static std::string dumpFile;
  dump->add_option("FILE", dumpFile, "index file")->required();
  dump->callback([] {
    tqvHandle i = tqvOpenIndex(pathValue(dumpFile), 0, 0);
    printValue(tqvAsIndex(i)->entries());
  });

  auto* build = index->add_subcommand("build", "Write an index from a list of (key value) lists");
  static std::string outFile, textFile;
  build->add_option("OUT", outFile, "index file to write")->required();
  build->add_option("TEXTFILE", textFile, "a list of (key value) lists")->required();
  build->callback([] {
    tqvHandle pairs = readNotationFile(textFile);
    tqvListObject* list = tqvAsList(pairs);
    if (list == nullptr) fail("index build: " + textFile + " does not hold a list");
    for (TQVINT n = 0; n < list->count(); ++n) {
      tqvListObject* pair = tqvAsList(list->itemAt(n));
      if (pair == nullptr || pair->count() != 2) {
        fail("index build: item " + std::to_string(n) + " is not a (key value) list");
      }
    }
    // Built beside the old index under a temporary name, then put in its place.
    std::string target = tqvMapPath(pathValue(outFile)), error;
    std::string temporary = tqvPlatform::temporaryPathFor(target);
    tqvHandle i = tqvCreateIndex(pathValue(temporary));
    for (TQVINT n = 0; n < list->count(); ++n) {
      tqvListObject* pair = tqvAsList(list->itemAt(n));
      tqvPut(i, pair->itemAt(0), pair->itemAt(1));
    }
    i = TQV_NIL;  // closes the keyed file
    if (!tqvPlatform::commitTemporary(temporary, target, error)) {
      fail("Cannot write " + tqvUtf8ToCp1252(outFile) + ": " + tqvUtf8ToCp1252(error));
    }
  });

  auto* get = index->add_subcommand("get", "Print the value under KEY, or TQV_NIL");
  static std::string getFile, key;
  get->add_option("FILE", getFile, "index file")->required();
  get->add_option("KEY", key, "key text")->required();
  get->callback([] {
    tqvHandle i = tqvOpenIndex(pathValue(getFile), 0, 0);
    printValue(tqvGet(i, tqvMakeString(tqvUtf8ToCp1252(key))));
  });

  auto* prefix =
      index->add_subcommand("prefix", "Print the keys that begin with PREFIX, or TQV_NIL");
  static std::string prefixFile, prefixText;
  prefix->add_option("FILE", prefixFile, "index file")->required();
  prefix->add_option("PREFIX", prefixText, "key prefix")->required();
  prefix->callback([] {
    tqvHandle i = tqvOpenIndex(pathValue(prefixFile), 0, 0);
    printValue(tqvPrefixKeys(i, tqvMakeString(tqvUtf8ToCp1252(prefixText)), nullptr));
  });

  auto* kf = app.add_subcommand("kf", "Keyed files");
  kf->require_subcommand(1);
  auto* check = kf->add_subcommand("check", "Exit 0 for a sound keyed file, else print the fault");
  static std::string checkFile;
  check->add_option("FILE", checkFile, "keyed file")->required();
  check->callback([] {
    std::string path = tqvMapPath(pathValue(checkFile));
    KeyFile f;
    int status = kfOpen(f, path.c_str(), kKfExclusive, kKfAccessRead, nullptr);
    if (status != kKfOk)
      fail("kf check: cannot open " + checkFile + " (status " + std::to_string(status) + ")");
    status = kfCheck(f);
    if (status != kKfOk) {
      fail("kf check: fault " + std::to_string(status) + " at node " +
           std::to_string(f.faultNode()));
    }
  });
}

}  // namespace tqvtool
