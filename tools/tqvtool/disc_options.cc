// Disc options of tqvtool commands and the application they run in.
#include "tools/tqvtool/disc_options.h"

#include "framework/services.h"
#include "platform/config_files.h"
#include "tools/tqvtool/tool_support.h"
#include "values/cp1252.h"
#include "values/string.h"

namespace tqvtool {

void addDiscOptions(CLI::App* command, DiscOptions& options) {
  command->add_option("--disc", options.disc, "root of the content disc (SourceDisk)");
  command->add_option("--media-path", options.mediaPath, "media directory on the disc")
      ->capture_default_str();
  command->add_option("--set", options.settings, "an environment key, KEY=VALUE (repeatable)")
      ->each([](const std::string& pair) {
        std::pair<std::string, std::string> setting;
        if (!tqvPlatform::parseSetting(pair, setting))
          throw CLI::ValidationError("--set", "expects KEY=VALUE, got '" + pair + "'");
      });
}

// The standard application over the disc, with its compiled "global" table loaded.
tqvStandardApplication& makeApplication(const DiscOptions& options) {
  auto* app = new tqvStandardApplication();
  if (!options.disc.empty()) app->setEnvironment("SourceDisk", pathValue(options.disc));
  app->setEnvironment("MediaPath", pathValue(options.mediaPath));
  for (const std::string& text : options.settings) {
    std::pair<std::string, std::string> setting;
    tqvPlatform::parseSetting(text, setting);
    app->setEnvironment(tqvUtf8ToCp1252(setting.first),
                        tqvMakeString(tqvUtf8ToCp1252(setting.second)));
  }
  tqvServices().initResourceTypes();
  app->Initialize();
  return *app;
}

}  // namespace tqvtool
