// The options that put a tqvtool command on a content disc, and the standard application
// made over it.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "framework/standard_application.h"

namespace tqvtool {

struct DiscOptions {
  std::string disc;
  std::string mediaPath = "Media";
  std::vector<std::string> settings;  // KEY=VALUE
};

// --disc DIR, --media-path P, --set KEY=VALUE (repeatable).
void addDiscOptions(CLI::App* command, DiscOptions& options);

// The standard application over the disc (owned by the tool's program), with its
// compiled "global" table loaded.
tqvStandardApplication& makeApplication(const DiscOptions& options);

}  // namespace tqvtool
