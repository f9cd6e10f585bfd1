// The printer-setup dialog: a pop-up list of the printers one can print to (the CUPS
// destinations and the PDF printer), the current one marked.
#pragma once

#include <vector>

#include "print/print_jobs.h"

// Runs the dialog; true with the printer picked in `chosen`, false when cancelled.
bool tqvRunPrinterSetup(const std::vector<tqvPrinterChoice>& printers,
                        const tqvPrinterChoice& current, tqvPrinterChoice& chosen);
