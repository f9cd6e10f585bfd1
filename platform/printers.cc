// CUPS destinations and jobs, and the XDG documents folder.
#include "platform/printers.h"

#include <cups/cups.h>

#include <cstdlib>
#include <fstream>
#include <string_view>

namespace tqvPlatform {

std::vector<PrinterDestination> printerDestinations() {
  cups_dest_t* dests = nullptr;
  int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<PrinterDestination> found;
  for (int i = 0; i < count; ++i) {
    PrinterDestination destination;
    destination.name = dests[i].name;
    if (dests[i].instance != nullptr) destination.name += std::string("/") + dests[i].instance;
    destination.isDefault = dests[i].is_default != 0;
    for (int j = 0; j < dests[i].num_options; ++j) {
      destination.options.emplace_back(dests[i].options[j].name, dests[i].options[j].value);
    }
    found.push_back(std::move(destination));
  }
  cupsFreeDests(count, dests);
  return found;
}

bool sendToPrinter(const std::string& destination, const PrinterOptions& options,
                   const std::string& pdfPath, const std::string& title, std::string& error) {
  std::string queue = destination.substr(0, destination.find('/'));
  cups_option_t* list = nullptr;
  int count = 0;
  for (const auto& [name, value] : options) {
    count = cupsAddOption(name.c_str(), value.c_str(), count, &list);
  }
  int job =
      cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.c_str(), pdfPath.c_str(), title.c_str(), count, list);
  cupsFreeOptions(count, list);
  if (job == 0) error = cupsLastErrorString();
  return job != 0;
}

namespace {

// The value of XDG_DOCUMENTS_DIR in a user-dirs file ("$HOME/..." or an absolute path).
std::string documentsEntry(const std::string& file, const std::string& home) {
  std::ifstream in(file);
  constexpr std::string_view key = "XDG_DOCUMENTS_DIR=";
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
    return value.empty() || value.front() != '/' ? std::string() : value;
  }
  return {};
}

}  // namespace

std::string documentsDirectory() {
  const char* homeVariable = std::getenv("HOME");
  std::string home = homeVariable != nullptr ? homeVariable : "";
  const char* configVariable = std::getenv("XDG_CONFIG_HOME");
  std::string config = configVariable != nullptr && *configVariable == '/'
                           ? configVariable
                           : (home.empty() ? std::string() : home + "/.config");
  if (!config.empty()) {
    std::string entry = documentsEntry(config + "/user-dirs.dirs", home);
    if (!entry.empty()) return entry;
  }
  return home.empty() ? std::string(".") : home + "/Documents";
}

}  // namespace tqvPlatform
