// Command-line options through CLI11.
#include "almanac/app/command_line.h"

#include <CLI/CLI.hpp>

int lxParseCommandLine(int argc, char** argv, LxOptions& options) {
  CLI::App app{"Zazuzadov Lumbra 98, the multimedia almanac", "lx98"};
  std::string disc;
  std::string userDir;
  std::vector<std::string> sets;
  app.add_flag("--headless", options.headless,
               "run without a window: scripted input, virtual clock, screenshots");
  app.add_option("--disc", disc, "directory of the content disc (sets SourceDisk)");
  app.add_option("--user-dir", userDir, "directory for the user's files (sets UserDataPath)");
  std::string form;
  app.add_option("--form", form, "open this form at start (sets OpenForm)");
  auto* script = app.add_option("--script", options.script, "headless session script");
  auto* shots = app.add_option("--shots", options.shots, "directory for the script's shots");
  auto* printTo = app.add_option("--print-to", options.printTo, "directory for printed pages");
  auto* scale = app.add_option("--scale", options.scale,
                               "device pixels per media pixel of the picture and shots (1-4)")
                    ->check(CLI::Range(1, 4));
  app.add_option("--set", sets, "set an environment key, KEY=VALUE (repeatable)")
      ->each([](const std::string& pair) {
        std::pair<std::string, std::string> setting;
        if (!tqvPlatform::parseSetting(pair, setting))
          throw CLI::ValidationError("--set", "expects KEY=VALUE, got '" + pair + "'");
      });
  app.add_option("words", options.words, "command-line words handed to the application");
  script->needs(app.get_option("--headless"));
  shots->needs(app.get_option("--headless"));
  printTo->needs(app.get_option("--headless"));
  scale->needs(app.get_option("--headless"));
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    int status = app.exit(error);
    return status == 0 ? 0 : 2;
  }
  if (!disc.empty()) options.settings.emplace_back("SourceDisk", disc);
  if (!userDir.empty()) options.settings.emplace_back("UserDataPath", userDir);
  if (!form.empty()) options.settings.emplace_back("OpenForm", form);
  for (const std::string& pair : sets) {
    std::pair<std::string, std::string> setting;
    tqvPlatform::parseSetting(pair, setting);
    options.settings.push_back(std::move(setting));
  }
  return -1;
}
