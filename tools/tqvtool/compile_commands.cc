// tqvtool compile: writes the compiled .etn files of table and form resources of a disc.
#include <cstdio>
#include <string>
#include <vector>

#include "almanac/app/compile_list.h"
#include "media/resources.h"
#include "storage/file_stream.h"
#include "tools/tqvtool/commands.h"
#include "tools/tqvtool/disc_options.h"
#include "tools/tqvtool/tool_support.h"
#include "values/cp1252.h"
#include "values/string.h"

namespace tqvtool {

void addCompileCommands(CLI::App& app) {
  auto* compile = app.add_subcommand(
      "compile", "Write compiled .etn files: a NAME with NAME.tbl is a table, else a form");
  static std::vector<std::string> names;
  static DiscOptions options;
  static bool all = false;
  compile->add_option("NAME", names, "table or form resource names");
  compile->add_flag("--all", all,
                    "the almanac's compile list: its tables and every screen on the disc");
  addDiscOptions(compile, options);
  compile->callback([] {
    makeApplication(options);
    if (all) {
      lxCompileReport report = lxCompileAll();
      std::printf("compile: %d files written\n", report.written);
      for (const std::string& name : report.failed) {
        fail("compile: " + tqvCp1252ToUtf8(name) + " was not compiled");
      }
    }
    if (!all && names.empty()) fail("compile: name the resources, or give --all");
    for (const std::string& name : names) {
      std::string resource = tqvUtf8ToCp1252(name);
      tqvHandle tableFile = tqvPathJoin(tqvMediaRoot(), tqvMakeString(resource + ".tbl"));
      bool ok = tqvFileExists(tableFile) ? tqvCompileTable(tqvMakeString(resource))
                                         : tqvCompileForm(tqvMakeString(resource));
      if (!ok) fail("compile: " + name + " was not compiled");
    }
  });
}

}  // namespace tqvtool
