// Printers of the desktop: the CUPS destinations with their options, handing a finished
// PDF file to one of them, and the user's documents folder where saved prints go. Texts
// are UTF-8.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tqvPlatform {

using PrinterOptions = std::vector<std::pair<std::string, std::string>>;

struct PrinterDestination {
  std::string name;  // "queue" or "queue/instance"
  bool isDefault = false;
  PrinterOptions options;
};

// The CUPS destinations known now (none when no CUPS server answers).
std::vector<PrinterDestination> printerDestinations();

// Queues the PDF file on a CUPS destination under `title`. False with the reason in
// `error` when CUPS refuses it.
bool sendToPrinter(const std::string& destination, const PrinterOptions& options,
                   const std::string& pdfPath, const std::string& title, std::string& error);

// The user's documents folder: XDG_DOCUMENTS_DIR from the user-dirs file, else
// $HOME/Documents, else the working directory.
std::string documentsDirectory();

}  // namespace tqvPlatform
