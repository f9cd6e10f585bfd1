// Disc options of tqvtool commands and the application they run in.
#include "tools/tqvtool/disc_options.h"

#include "framework/program_state.h"
#include "media/resources.h"
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
        if (pair.find('=') == std::string::npos || pair.front() == '=')
          throw CLI::ValidationError("--set", "expects KEY=VALUE, got '" + pair + "'");
      });
}

// The standard application over the disc, with its compiled "global" table loaded.
std::unique_ptr<tqvStandardApplication> makeApplication(const DiscOptions& options) {
  tqvSetAppIdentity(tqvMakeString("tqvtool"), tqvMakeString("1.0"), tqvMakeString("LX98"));
  auto app = std::make_unique<tqvStandardApplication>();
  tqvInstallApplication(app.get());
  if (!options.disc.empty()) app->setEnvironment("SourceDisk", pathValue(options.disc));
  app->setEnvironment("MediaPath", pathValue(options.mediaPath));
  for (const std::string& pair : options.settings) {
    size_t equals = pair.find('=');
    app->setEnvironment(tqvUtf8ToCp1252(pair.substr(0, equals)),
                        tqvMakeString(tqvUtf8ToCp1252(pair.substr(equals + 1))));
  }
  tqvInitResourceTypes();
  app->Initialize();
  return app;
}

}  // namespace tqvtool
