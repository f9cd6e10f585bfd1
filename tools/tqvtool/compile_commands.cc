// tqvtool compile: writes the compiled .etn files of table and form resources of a disc.
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/program_state.h"
#include "media/media_library.h"
#include "media/resources.h"
#include "storage/file_stream.h"
#include "tools/tqvtool/commands.h"
#include "tools/tqvtool/tool_support.h"
#include "values/cp1252.h"
#include "values/string.h"

namespace tqvtool {

void addCompileCommands(CLI::App& app) {
  auto* compile = app.add_subcommand(
      "compile", "Write compiled .etn files: a NAME with NAME.tbl is a table, else a form");
  static std::vector<std::string> names;
  static std::string disc, mediaPath = "Media";
  compile->add_option("NAME", names, "table or form resource names")->required();
  compile->add_option("--disc", disc, "root of the content disc (\"SourceDisk\")");
  compile->add_option("--media-path", mediaPath, "media directory on the disc (\"MediaPath\")");
  compile->callback([] {
    tqvMediaStartup();
    static tqvApplication application;
    tqvInstallApplication(&application);
    if (!disc.empty()) application.setEnvironment("SourceDisk", pathValue(disc));
    application.setEnvironment("MediaPath", tqvMakeString(tqvUtf8ToCp1252(mediaPath)));
    for (const std::string& name : names) {
      tqvHandle resource = tqvMakeString(tqvUtf8ToCp1252(name));
      tqvHandle tableFile =
          tqvPathJoin(tqvMediaRoot(), tqvMakeString(tqvUtf8ToCp1252(name) + ".tbl"));
      bool ok = tqvFileExists(tableFile) ? tqvCompileTable(resource) : tqvCompileForm(resource);
      if (!ok) fail("compile: " + name + " was not compiled");
    }
  });
}

}  // namespace tqvtool
